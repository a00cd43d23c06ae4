#include "sprites/DescriptionSprite.h"

#include "foundation/Messages.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using testsupport::DossierTemporaire;
using testsupport::ecritFichier;

namespace {

// A hero's strike with a bad bound used to vanish without a word, and the
// sword never hurt.
TEST(DescriptionSprite, AStrikeOrBodyOutOfRangeIsSaidAndDropped)
{
    DossierTemporaire dossier;
    auto frappe = [](const std::string& debut, std::string& dit) {
        ecritFichier("heros.ini", "[Entete]\nnbAnims=1\ncontactX=0\ncontactY=0\ncontactLargeur=0\ncontactHauteur=9\n"
                                  "[Anim1]\nnbFrames=3\nfrappeX=1\nfrappeY=2\nfrappeLargeur=30\nfrappeHauteur=8\n"
                                  "frappeDebut=" + debut + "\nfrappeFin=3\n");
        CCaptureMessages messages;
        LecteurDescriptionSprite lecteur("heros.ini");
        FrappeDecrite f;
        bool lue = lecteur.litFrappe(1, f);
        RectangleFrame contact;
        EXPECT_FALSE(lecteur.litContact(contact));
        dit = messages.erreurs;
        return lue ? f.debut : 0;
    };
    std::string dit;
    EXPECT_EQ(frappe("2", dit), 2);
    EXPECT_EQ(dit, "Valeur hors limites pour contactLargeur dans heros.ini : 0 (de 1 à 16384)\n");
    EXPECT_EQ(frappe("-3", dit), 0);
    EXPECT_NE(dit.find("Valeur hors limites pour frappeDebut dans heros.ini : -3 (de 1 à 65535)\n"), std::string::npos)
        << dit;
    EXPECT_EQ(frappe("4", dit), 0);
    EXPECT_NE(dit.find("frappeFin (3) avant frappeDebut (4)"), std::string::npos) << dit;
}

}
