# The game as a web page: build-web/index.html with its .js, .wasm and
# .data (the generated content, packed). Configured by web/build.sh.

set(CONTENU_WEB "" CACHE PATH "Folder holding the generated config.ini and data/")
if(NOT EXISTS "${CONTENU_WEB}/data")
  message(FATAL_ERROR "CONTENU_WEB must name a folder with the generated content (data/, config.ini)")
endif()

file(GLOB WEB_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/*.cpp)
# Replaced by the browser's own: SDL_image, giflib and libtiff decoding, libpng
# screenshots, the mixer opened at run time.
list(FILTER WEB_SOURCES EXCLUDE REGEX
     "/src/(render/DecodageBibliotheque|render/DecodageGIF|render/DecodageTIFF|shell/CaptureEcran|sound/BibliothequeMixer)\\.cpp$")
# The editor and the data checker it runs are desktop tools.
list(FILTER WEB_SOURCES EXCLUDE REGEX "/src/(editeur|verification)/")
list(APPEND WEB_SOURCES ${CMAKE_SOURCE_DIR}/src/corvanthelis.cpp)

add_executable(corvanthelis_web ${WEB_SOURCES})
set_target_properties(corvanthelis_web PROPERTIES OUTPUT_NAME index SUFFIX ".html")
target_include_directories(corvanthelis_web PRIVATE ${CMAKE_SOURCE_DIR}/src /usr/include/stb)
target_compile_options(corvanthelis_web PRIVATE -include ${CMAKE_SOURCE_DIR}/src/web/CompatWeb.h)

set(WEB_LIENS
  -sLEGACY_GL_EMULATION=1 -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sALLOW_MEMORY_GROWTH=1
  -sINITIAL_MEMORY=67108864 -sTOTAL_STACK=1048576 -sMINIFY_HTML=0 -sEXIT_RUNTIME=1
  -lidbfs.js -sFORCE_FILESYSTEM=1
  "SHELL:--js-library ${CMAKE_SOURCE_DIR}/web/attente.js" "SHELL:--js-library ${CMAKE_SOURCE_DIR}/web/quad.js" "-sASYNCIFY_IMPORTS=['attendRappelImage']"
  "-sEXPORTED_RUNTIME_METHODS=['FS','IDBFS','callMain','addRunDependency','removeRunDependency']"
  "SHELL:--shell-file ${CMAKE_SOURCE_DIR}/web/page.html"
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/web/avant.js"
  "SHELL:--preload-file ${CONTENU_WEB}/data@/contenu/data"
  "SHELL:--preload-file ${CONTENU_WEB}/config.ini@/contenu/config.ini")
target_link_options(corvanthelis_web PRIVATE ${WEB_LIENS})
set_property(TARGET corvanthelis_web APPEND PROPERTY LINK_DEPENDS
             ${CMAKE_SOURCE_DIR}/web/page.html ${CMAKE_SOURCE_DIR}/web/avant.js ${CMAKE_SOURCE_DIR}/web/attente.js ${CMAKE_SOURCE_DIR}/web/quad.js ${CONTENU_WEB}/data/.genere)
