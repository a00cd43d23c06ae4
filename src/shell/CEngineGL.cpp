#include "shell/CEngineGL.h"

#include "foundation/IndexProfil.h"
#include "foundation/InputOutput.h"

CEngineGL* config = nullptr;

namespace {

const char* const SECTION = "VIDEO";
const char* const FICHIER = "config.ini";

// An optional key: its default, silently, when the file or the key is
// missing; otherwise read like the others.
bool litBoolOptionnel(InputOutput& io, const char* cle, bool defaut)
{
    std::shared_ptr<const CIndexProfil> index = indexProfil(FICHIER, 100);
    const SectionProfil* section = index ? index->trouveSection(SECTION) : nullptr;
    if (!section || !index->trouveCle(*section, cle))
        return defaut;
    return io.getPrivateProfileBool(SECTION, cle, defaut, FICHIER, false);
}

} // namespace

CEngineGL::CEngineGL(ParDefaut)
{
    resolutionHorizontale = 640;
    resolutionVerticale = 480;
    largeurLogique = 640;
    hauteurLogique = 480;
    tailleTexture = 256;
    bilineaire = true;
    pleinEcran = true;
    vSync = true;
    mode16bits = false;
    sansClampToEdge = true;
    hogCPU = false;
    garderProportions = false;
    npotDisponible = false;
    journal = true;
}

CEngineGL::CEngineGL() : CEngineGL(ParDefaut())
{
    // The order of the lookups fixes the order of the reader's notices.
    InputOutput io;
    resolutionHorizontale = io.getPrivateProfileInt(SECTION, "ResolutionHorizontale", resolutionHorizontale, FICHIER, false);
    resolutionVerticale = io.getPrivateProfileInt(SECTION, "ResolutionVerticale", resolutionVerticale, FICHIER, false);
    pleinEcran = io.getPrivateProfileBool(SECTION, "PleinEcran", pleinEcran, FICHIER, false);
    bilineaire = io.getPrivateProfileBool(SECTION, "Bilineaire", bilineaire, FICHIER, false);
    vSync = io.getPrivateProfileBool(SECTION, "VSync", vSync, FICHIER, false);
    if (resolutionHorizontale < 1)
        resolutionHorizontale = 1;
    if (resolutionVerticale < 1)
        resolutionVerticale = 1;
    mode16bits = io.getPrivateProfileBool(SECTION, "Mode16bits", mode16bits, FICHIER, false);
    hogCPU = io.getPrivateProfileBool(SECTION, "HogCPU", hogCPU, FICHIER, false);
    garderProportions = litBoolOptionnel(io, "GarderProportions", garderProportions);
    journal = litBoolOptionnel(io, "Journal", journal);
}

const CEngineGL& reglages()
{
    static const CEngineGL defauts{CEngineGL::ParDefaut()};
    return config ? *config : defauts;
}
