#include "support/HistoriqueModele.h"

#include "editeur/ModeleNiveau.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace testsupport {

std::vector<std::string> textesFichiers(const std::vector<std::string>& fichiers)
{
    std::vector<std::string> t;
    for (const std::string& f : fichiers)
        t.push_back(fichierExiste(f) ? lisFichier(f) : "<absent>");
    return t;
}

void verifieHistorique(editeur::CModeleNiveau& m, const std::vector<std::string>& fichiers,
                       const std::vector<std::function<void()>>& etapes)
{
    std::vector<std::vector<std::string>> apres = {textesFichiers(fichiers)};
    for (const auto& etape : etapes) {
        etape();
        if (::testing::Test::HasFatalFailure())
            return;
        ASSERT_TRUE(m.sauve());
        apres.push_back(textesFichiers(fichiers));
    }
    for (size_t i = etapes.size(); i > 0; --i) {
        ASSERT_TRUE(m.annule());
        ASSERT_TRUE(m.sauve());
        EXPECT_EQ(textesFichiers(fichiers), apres[i - 1]) << "after undoing step " << i;
    }
    for (size_t i = 1; i <= etapes.size(); ++i) {
        ASSERT_TRUE(m.retablit());
        ASSERT_TRUE(m.sauve());
        EXPECT_EQ(textesFichiers(fichiers), apres[i]) << "after redoing step " << i;
    }
}

}
