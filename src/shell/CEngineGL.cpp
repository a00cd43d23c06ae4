#include "shell/CEngineGL.h"

#include "foundation/InputOutput.h"
#include "shell/SchemaConfiguration.h"


CEngineGL* config = nullptr;

using namespace schemaConfiguration;

namespace {

long defaut(CleVideo cle)
{
    return cleVideo(cle).defaut;
}

// One [VIDEO] key as the game takes it. A missing key gives its default,
// with the profile reader's notice unless it is optional. A value that is
// not a plain number, lies out of range, or is a boolean other than 0 or 1
// gets one line on standard error: a number is read as far as atoi goes and
// brought into range, a boolean keeps its default.
long litCle(CleVideo cle)
{
    const DefCle& def = cleVideo(cle);
    InputOutput io(def.facultative);
    int valeur = 0;
    litEntierCle(io, SectionVideo, def, Fichier, valeur);
    return def.type == Booleen ? valeur : borneCle(def, valeur);
}

} // namespace

CEngineGL::CEngineGL(ParDefaut)
{
    resolutionHorizontale = defaut(ResolutionHorizontale);
    resolutionVerticale = defaut(ResolutionVerticale);
    largeurLogique = 640;
    hauteurLogique = 480;
    tailleTexture = 256;
    bilineaire = defaut(Bilineaire);
    pleinEcran = defaut(PleinEcran);
    vSync = defaut(VSync);
    mode16bits = defaut(Mode16bits);
    sansClampToEdge = true;
    hogCPU = defaut(HogCPU);
    garderProportions = defaut(GarderProportions);
    npotDisponible = false;
    journal = defaut(Journal);
    volumeMusique = defaut(VolumeMusique);
    volumeEffets = defaut(VolumeEffets);
    intro = defaut(Intro);
}

CEngineGL::CEngineGL() : CEngineGL(ParDefaut())
{
    // In the schema's order, which fixes the order of the reader's notices.
    resolutionHorizontale = litCle(ResolutionHorizontale);
    resolutionVerticale = litCle(ResolutionVerticale);
    pleinEcran = litCle(PleinEcran);
    bilineaire = litCle(Bilineaire);
    vSync = litCle(VSync);
    mode16bits = litCle(Mode16bits);
    hogCPU = litCle(HogCPU);
    garderProportions = litCle(GarderProportions);
    journal = litCle(Journal);
    volumeMusique = litCle(VolumeMusique);
    volumeEffets = litCle(VolumeEffets);
    intro = litCle(Intro);
    // 0 asks for the desktop's or the drawing space's size (initSDL), read
    // as 1 like any smaller size.
    if (resolutionHorizontale < 1)
        resolutionHorizontale = 1;
    if (resolutionVerticale < 1)
        resolutionVerticale = 1;
}

const CEngineGL& reglages()
{
    static const CEngineGL defauts{CEngineGL::ParDefaut()};
    return config ? *config : defauts;
}
