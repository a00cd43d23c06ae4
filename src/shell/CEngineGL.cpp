#include "shell/CEngineGL.h"

#include "foundation/IndexProfil.h"
#include "foundation/InputOutput.h"

CEngineGL* config = nullptr;

namespace {

const char* const SECTION = "VIDEO";
const char* const FICHIER = "config.ini";

// An optional key is read like the others when it stands in the file, and
// otherwise takes its default silently.
bool clePresente(const char* cle)
{
    std::shared_ptr<const CIndexProfil> index = indexProfil(FICHIER, 100);
    const SectionProfil* section = index ? index->trouveSection(SECTION) : nullptr;
    return section && index->trouveCle(*section, cle);
}

bool litBoolOptionnel(InputOutput& io, const char* cle, bool defaut)
{
    if (!clePresente(cle))
        return defaut;
    return io.getPrivateProfileBool(SECTION, cle, defaut, FICHIER, false);
}

// A volume: 0 to 100, a value outside brought back into it.
int litVolume(InputOutput& io, const char* cle, int defaut)
{
    if (!clePresente(cle))
        return defaut;
    int volume = io.getPrivateProfileInt(SECTION, cle, defaut, FICHIER, false);
    return volume < 0 ? 0 : (volume > 100 ? 100 : volume);
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
    volumeMusique = 100;
    volumeEffets = 100;
    intro = true;
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
    volumeMusique = litVolume(io, "VolumeMusique", volumeMusique);
    volumeEffets = litVolume(io, "VolumeEffets", volumeEffets);
    intro = litBoolOptionnel(io, "Intro", intro);
}

const CEngineGL& reglages()
{
    static const CEngineGL defauts{CEngineGL::ParDefaut()};
    return config ? *config : defauts;
}
