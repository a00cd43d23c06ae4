# `cmake --install build --prefix P` lays the game out as Debian games are:
#   P/games/corvanthelis                the game
#   P/games/corvanthelis-editor         the level editor
#   P/games/corvanthelis-verifie        the data checker
#   P/games/corvanthelis-convert        a link to the game, which converts
#                                       sprite data under that name
#   P/share/games/corvanthelis/         data/, the default config.ini and
#                                       the viewers' files
#   P/share/applications, icons/hicolor, metainfo, man/man6
# The tools get the game's name in front: "editor" and "convert" are other
# programs' names on a Debian system. The installed game finds its content
# from its own folder (foundation/DossierDepart.cpp), so any prefix works, and
# writes the player's files in the player's folders (foundation/DossiersJoueur.h).

set(CORVANTHELIS_PAQUET ${CMAKE_CURRENT_LIST_DIR})
set(CORVANTHELIS_CONTENU share/games/corvanthelis)
# The AppStream identifier, which names the metadata file.
set(CORVANTHELIS_ID org.corvanthelis.corvanthelis)

install(TARGETS corvanthelis RUNTIME DESTINATION games)
install(CODE "file(CREATE_LINK corvanthelis \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/corvanthelis-convert\" SYMBOLIC)")

if(CORVANTHELIS_TOOLS)
  install(PROGRAMS $<TARGET_FILE:editor> DESTINATION games RENAME corvanthelis-editor)
  install(PROGRAMS $<TARGET_FILE:verifie> DESTINATION games RENAME corvanthelis-verifie)
  # The content the build generated (tools/gendata), with the viewers'
  # files: the checker checks them too, and passes on the installed folder.
  install(DIRECTORY ${CMAKE_BINARY_DIR}/data ${CMAKE_BINARY_DIR}/dataqv DESTINATION ${CORVANTHELIS_CONTENU}
          PATTERN .genere EXCLUDE)
  install(FILES ${CMAKE_BINARY_DIR}/config.ini ${CMAKE_BINARY_DIR}/viewinfos.vwe
          DESTINATION ${CORVANTHELIS_CONTENU})
  install(FILES ${CMAKE_BINARY_DIR}/viewanims.spr DESTINATION ${CORVANTHELIS_CONTENU} OPTIONAL)
  foreach(taille 16 32 48 64 128 256)
    install(FILES ${CMAKE_BINARY_DIR}/icones/${taille}x${taille}/corvanthelis.png
            DESTINATION share/icons/hicolor/${taille}x${taille}/apps)
  endforeach()
else()
  install(CODE "message(WARNING \"Sans les outils (CORVANTHELIS_TOOLS), ni contenu ni icônes ne sont installés\")")
endif()

install(FILES ${CORVANTHELIS_PAQUET}/corvanthelis.desktop DESTINATION share/applications)
install(FILES ${CORVANTHELIS_PAQUET}/${CORVANTHELIS_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CORVANTHELIS_PAQUET}/corvanthelis.6 DESTINATION share/man/man6)
