// Screenshots as the player finds them: a PNG in captures/, with the mode
// any other file the player's programs create would have.
#include "shell/CaptureEcran.h"

#include "support/ContexteGL.h"
#include "support/TestSupport.h"

#include <SDL_opengl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

using namespace testsupport;

namespace {

class CaptureEcran : public TestGL {};

TEST_F(CaptureEcran, FilesTakeTheUmasksModeAndNeverReplaceAnother)
{
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    std::vector<std::string> ecrites;
    for (mode_t masque : {022, 077}) {
        mode_t ancien = umask(masque);
        std::string chemin;
        {
            Capture sortie(1);
            chemin = enregistreCapture();
        }
        umask(ancien);
        ASSERT_NE(chemin, "");
        ecrites.push_back(chemin);
        struct stat etat;
        ASSERT_EQ(stat(chemin.c_str(), &etat), 0);
        EXPECT_EQ(etat.st_mode & 07777, 0666u & ~masque) << chemin;
    }
    // Two in the same second get two names.
    EXPECT_NE(ecrites[0], ecrites[1]);
    EXPECT_TRUE(fichierExiste(ecrites[0]));
}

} // namespace
