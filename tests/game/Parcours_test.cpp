// The journey, the records and the title menu: pure models and their files.
#include "foundation/Messages.h"
#include "game/Cloture.h"
#include "game/Parcours.h"
#include "game/Records.h"
#include "game/Titre.h"

#include "support/TestSupport.h"

#include <SDL.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

using testsupport::DossierTemporaire;
using testsupport::ecritFichier;
using testsupport::fichierExiste;
using testsupport::lisFichier;

namespace {

ResultatNiveau resultat(uint32_t temps, int lueurs, int creatures)
{
    ResultatNiveau r;
    r.temps = temps;
    r.lueurs = lueurs;
    r.creatures = creatures;
    return r;
}

Parcours troisNiveaux()
{
    Parcours p;
    p.lu = true;
    p.niveaux = {{"a.ini", "A"}, {"b.ini", "B"}, {"c.ini", "C"}};
    return p;
}

TEST(Records, ChaqueChiffreGardeSonMeilleurEtLesNiveauxSOuvrentDansLOrdre)
{
    CRecords records;
    const Parcours p = troisNiveaux();
    EXPECT_EQ(niveauAJouer(p, records), 0);
    EXPECT_TRUE(niveauOuvert(p, records, 0));
    EXPECT_FALSE(niveauOuvert(p, records, 1));

    // A first finish beats every figure but a zero count.
    Ameliorations a = records.enregistre("a.ini", resultat(90000, 0, 4));
    EXPECT_TRUE(a.temps);
    EXPECT_FALSE(a.lueurs);
    EXPECT_TRUE(a.creatures);
    // Slower with more lights: only the lights are kept.
    a = records.enregistre("a.ini", resultat(95000, 3, 4));
    EXPECT_FALSE(a.temps);
    EXPECT_TRUE(a.lueurs);
    EXPECT_FALSE(a.creatures);
    a = records.enregistre("a.ini", resultat(80000, 1, 2));
    EXPECT_TRUE(a.temps);
    EXPECT_FALSE(a.lueurs || a.creatures);
    const RecordNiveau* r = records.cherche("a.ini");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->meilleur.temps, 80000u);
    EXPECT_EQ(r->meilleur.lueurs, 3);
    EXPECT_EQ(r->meilleur.creatures, 4);

    EXPECT_EQ(niveauAJouer(p, records), 1);
    EXPECT_TRUE(niveauOuvert(p, records, 1));
    EXPECT_FALSE(niveauOuvert(p, records, 2));
    // Keyed by file: finishing the last alone opens nothing before it.
    records.enregistre("c.ini", resultat(1000, 0, 0));
    EXPECT_EQ(niveauAJouer(p, records), 1);
    EXPECT_FALSE(niveauOuvert(p, records, 2));
    records.enregistre("b.ini", resultat(1000, 0, 0));
    EXPECT_TRUE(niveauOuvert(p, records, 2));
    // All finished: Jouer starts the journey again.
    EXPECT_EQ(niveauAJouer(p, records), 0);
    EXPECT_EQ(texteDuree(158999), "2:38");
}

TEST(Records, LeFichierRelitCeQuIlAEcritEtMetDeCoteUnFichierAbime)
{
    DossierTemporaire dossier;
    CRecords vide;
    EXPECT_TRUE(litRecords("records.ini", vide)); // none yet
    EXPECT_TRUE(vide.niveaux.empty());

    CRecords records;
    records.enregistre("./data/levels/level1.ini", resultat(158000, 12, 9));
    records.niveaux.push_back({"./data/levels/col.ini", false, ResultatNiveau()});
    mode_t ancien = umask(027);
    ASSERT_TRUE(ecritRecords("records.ini", records));
    umask(ancien);
    struct stat st;
    ASSERT_EQ(stat("records.ini", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    const std::string ecrit = lisFichier("records.ini");
    EXPECT_NE(ecrit.find("[Niveau1]\nfichier=./data/levels/level1.ini\ntermine=1\ntemps=158000\nlueurs=12\n"
                         "creatures=9\n"),
              std::string::npos)
        << ecrit;
    CRecords relus;
    ASSERT_TRUE(litRecords("records.ini", relus));
    ASSERT_EQ(relus.niveaux.size(), 2u);
    EXPECT_TRUE(relus.termine("./data/levels/level1.ini"));
    EXPECT_FALSE(relus.termine("./data/levels/col.ini"));
    EXPECT_EQ(relus.cherche("./data/levels/level1.ini")->meilleur.creatures, 9);
    // A better time at once after, same size and same second: still written.
    records.enregistre("./data/levels/level1.ini", resultat(157000, 0, 0));
    ASSERT_TRUE(ecritRecords("records.ini", records));
    ASSERT_TRUE(litRecords("records.ini", relus));
    EXPECT_EQ(relus.cherche("./data/levels/level1.ini")->meilleur.temps, 157000u) << lisFichier("records.ini");

    // Each damage alone, made in the good file.
    const std::pair<std::string, std::string> abimes[] = {
        {"temps=158000", "temps=vite"},
        {"version=1", "version=2"},
        {"lueurs=12", "lueurs=-3"},
        {"temps=158000", "temps=0"},
        {"nombreNiveaux=2", "nombreNiveaux=3"},
        {"nombreNiveaux=2", "nombreNiveaux=1"},
    };
    for (const auto& a : abimes) {
        std::string t = ecrit;
        t.replace(t.find(a.first), a.first.size(), a.second);
        ecritFichier("records.ini", t);
        remove("records.ini.abime");
        CRecords lus;
        CCaptureMessages capture;
        EXPECT_FALSE(litRecords("records.ini", lus)) << a.second;
        EXPECT_TRUE(lus.niveaux.empty()) << a.second;
        EXPECT_FALSE(fichierExiste("records.ini")) << a.second;
        EXPECT_EQ(lisFichier("records.ini.abime"), t) << a.second;
        EXPECT_NE(capture.erreurs.find("mis de côté sous records.ini.abime"), std::string::npos) << capture.erreurs;
        EXPECT_EQ(std::count(capture.erreurs.begin(), capture.erreurs.end(), '\n'), 1) << capture.erreurs;
    }
}

TEST(Parcours, LeFichierDonneLOrdreEtLesNomsEtSonAbsenceLeNiveauSeul)
{
    DossierTemporaire dossier;
    Parcours seul = litParcours("parcours.ini");
    EXPECT_FALSE(seul.lu);
    ASSERT_EQ(seul.niveaux.size(), 1u);
    EXPECT_EQ(seul.niveaux[0].fichier, "./data/levels/level1.ini");
    EXPECT_EQ(seul.niveaux[0].nom, "level1");

    ecritFichier("marais.ini", "[Entete]\n");
    ecritFichier("col.ini", "[Entete]\n");
    ecritFichier("parcours.ini", "[Entete]\nnombreNiveaux=3\n[Niveau1]\nfichier=col.ini\nnom=Le col enneigé\n"
                                 "[Niveau2]\nfichier=absent.ini\nnom=Perdu\n[Niveau3]\nfichier=marais.ini\n");
    CCaptureMessages capture;
    Parcours p = litParcours("parcours.ini");
    EXPECT_TRUE(p.lu);
    ASSERT_EQ(p.niveaux.size(), 2u);
    EXPECT_EQ(p.niveaux[0].fichier, "col.ini");
    EXPECT_EQ(p.niveaux[0].nom, "Le col enneigé");
    EXPECT_EQ(p.niveaux[1].nom, "marais");
    EXPECT_NE(capture.erreurs.find("absent.ini"), std::string::npos) << capture.erreurs;

    ecritFichier("parcours.ini", "[Entete]\nnombreNiveaux=1\n[Niveau1]\nfichier=absent.ini\n");
    EXPECT_FALSE(litParcours("parcours.ini").lu);
}

TEST(MenuTitre, JouerPrendLeSuivantEtUnNiveauVerrouilleNeDemarrePas)
{
    const Parcours p = troisNiveaux();
    CRecords records;
    records.enregistre("a.ini", resultat(61000, 2, 3));
    CMenuTitre menu(p, records, false);
    ASSERT_EQ(menu.lignes().size(), 4u); // no editor line without an editor
    EXPECT_EQ(menu.lignes()[0].note, "B");
    EXPECT_EQ(menu.touche(SDLK_RETURN), CMenuTitre::Jouer);
    EXPECT_EQ(menu.getNiveau(), 1);

    menu.revient();
    menu.touche(SDLK_DOWN);
    EXPECT_EQ(menu.touche(SDLK_SPACE), CMenuTitre::Rien);
    ASSERT_EQ(menu.getEcran(), CMenuTitre::Niveaux);
    std::vector<LigneMenu> l = menu.lignes();
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l[0].valeur, "1:01   ·   2 lueurs   ·   3 créatures");
    EXPECT_EQ(l[2].valeur, "verrouillé");
    menu.touche(SDLK_DOWN); // the cursor starts on the level to play
    EXPECT_EQ(menu.touche(SDLK_RETURN), CMenuTitre::Rien);
    EXPECT_NE(menu.message.find("« B »"), std::string::npos) << menu.message;
    menu.touche(SDLK_UP);
    menu.touche(SDLK_UP);
    EXPECT_EQ(menu.touche(SDLK_RETURN), CMenuTitre::Jouer);
    EXPECT_EQ(menu.getNiveau(), 0);
    menu.touche(SDLK_BACKSPACE);
    EXPECT_EQ(menu.getEcran(), CMenuTitre::Principal);

    // The editor edits the level last pointed at.
    CMenuTitre avecEditeur(p, records, true);
    avecEditeur.touche(SDLK_DOWN);
    avecEditeur.touche(SDLK_RETURN);
    avecEditeur.touche(SDLK_DOWN);
    avecEditeur.touche(SDLK_BACKSPACE);
    for (int i = 0; i < 3; ++i)
        avecEditeur.touche(SDLK_DOWN);
    EXPECT_EQ(avecEditeur.lignes()[3].texte, "Éditeur");
    EXPECT_EQ(avecEditeur.touche(SDLK_RETURN), CMenuTitre::Editeur);
    EXPECT_EQ(avecEditeur.fichierNiveau(), "c.ini");

    TotauxParcours t;
    t.ajoute(resultat(61000, 2, 3));
    t.ajoute(resultat(65000, 1, 0));
    EXPECT_EQ(lignesCloture(t)[0], "Temps : 2 min 06 s");
}

}
