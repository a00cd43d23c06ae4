#include "shell/CEngineGL.h"

#include "foundation/DossiersJoueur.h"
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
long litCle(CleVideo cle, const std::string& fichier)
{
    const DefCle& def = cleVideo(cle);
    InputOutput io(def.facultative);
    int valeur = 0;
    litEntierCle(io, SectionVideo, def, fichier.c_str(), valeur);
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
    // The player's copy, or the installed default (foundation/DossiersJoueur.h).
    const std::string fichier = fichierReglagesLu(Fichier);
    // In the schema's order, which fixes the order of the reader's notices.
    resolutionHorizontale = litCle(ResolutionHorizontale, fichier);
    resolutionVerticale = litCle(ResolutionVerticale, fichier);
    pleinEcran = litCle(PleinEcran, fichier);
    bilineaire = litCle(Bilineaire, fichier);
    vSync = litCle(VSync, fichier);
    mode16bits = litCle(Mode16bits, fichier);
    hogCPU = litCle(HogCPU, fichier);
    garderProportions = litCle(GarderProportions, fichier);
    journal = litCle(Journal, fichier);
    volumeMusique = litCle(VolumeMusique, fichier);
    volumeEffets = litCle(VolumeEffets, fichier);
    intro = litCle(Intro, fichier);
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
