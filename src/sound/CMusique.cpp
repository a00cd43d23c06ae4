#include "sound/CMusique.h"

#include "foundation/Messages.h"
#include "foundation/FichierOrdinaire.h"

#include <SDL.h>
#include <cstdio>
#include <cstring>

namespace {

// The mixer keeps stale channel tables after the device is closed, so no
// channel call may be made unless the device is open right now.
bool audioOuvert()
{
    return Mix_QuerySpec(nullptr, nullptr, nullptr) != 0;
}

void copieNom(char* destination, const char* nom)
{
    strncpy(destination, nom ? nom : "", 19);
    destination[19] = '\0';
}

// The sample a sound plays: its own, or its source's for an instance.
Mix_Chunk* echantillon(const CSon* son)
{
    if (son->estInstance)
        return son->sonSource ? son->sonSource->chunk : nullptr;
    return son->chunk;
}

// Halts `canal` only while it still holds `chunk`: the number kept in a
// sound may since have been reused by another sound.
void arreteCanalDe(int canal, Mix_Chunk* chunk)
{
    if (canal < 0 || !chunk || !audioOuvert())
        return;
    if (Mix_GetChunk(canal) == chunk)
        Mix_HaltChannel(canal);
}

// No channel may go on reading a sample that is about to be released.
void arreteToutCanalDe(Mix_Chunk* chunk)
{
    if (!chunk || !audioOuvert())
        return;
    int canaux = Mix_AllocateChannels(-1);
    for (int i = 0; i < canaux; ++i)
        if (Mix_GetChunk(i) == chunk && Mix_Playing(i))
            Mix_HaltChannel(i);
}

Sint16 angleMixer(int angle)
{
    return static_cast<Sint16>(((angle % 360) + 360) % 360);
}

// Out-of-range distances are clamped: wrapping 256 to 0 would turn "far"
// into "full volume".
Uint8 distanceMixer(int distance)
{
    if (distance < 0)
        return 0;
    if (distance > 255)
        return 255;
    return static_cast<Uint8>(distance);
}

}

CSon::CSon(const char* chemin, const char* nomSon)
    : chunk(nullptr), canal(-1), estInstance(false), angle(0), distance(0), sonSource(nullptr)
{
    SDL_RWops* flux = fluxFichierOrdinaire(chemin);
    if (flux)
        chunk = Mix_LoadWAV_RW(flux, 1);
    copieNom(nom, nomSon);
}

CSon::CSon()
    : chunk(nullptr), canal(-1), estInstance(false), angle(0), distance(0), sonSource(nullptr)
{
    nom[0] = '\0';
}

void musiqueTerminee()
{
    Mix_HaltMusic();
}

void sonTermine(int channel)
{
    if (audioOuvert() && Mix_Playing(channel) == 0)
        Mix_HaltChannel(channel);
}

GestionnaireSon::GestionnaireSon() : GestionnaireSon(0x8010, 22050, 2, 4096)
{
}

GestionnaireSon::GestionnaireSon(unsigned short format, int frequenceSortie, int canauxSortie,
                                 int taille)
    : CBasic_TemplateVector<CSon*>(8, 4), formatAudio(format), frequence(frequenceSortie),
      nbCanaux(canauxSortie), tailleChunk(taille), musiqueCourante(nullptr),
      peripheriqueOuvert(false)
{
    Mix_ChannelFinished(sonTermine);
}

GestionnaireSon::~GestionnaireSon()
{
    // Only the device this manager opened is closed: the mixer counts opens.
    if (peripheriqueOuvert) {
        // Closing drops every channel's placement before it halts the
        // channels, and the mixer may fill a buffer in between: a sound
        // still playing would sound there unplaced, at full volume on both
        // sides. Silence everything first.
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        Mix_CloseAudio();
        peripheriqueOuvert = false;
    }
    if (musiqueCourante) {
        Mix_HaltMusic();
        Mix_FreeMusic(musiqueCourante);
        musiqueCourante = nullptr;
    }
    effaceSons();
}

int GestionnaireSon::init()
{
    if (peripheriqueOuvert)
        return 0;
    bool dejaInitialise = SDL_WasInit(SDL_INIT_AUDIO) != 0;
    if (Mix_OpenAudio(frequence, formatAudio, nbCanaux, tailleChunk) != 0) {
        // SDL marks its audio part as started even when no driver was found,
        // and would then refuse every later attempt: undo that.
        if (!dejaInitialise)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        messageErreur("Impossible d'accéder au périphérique audio\n");
        return -1;
    }
    peripheriqueOuvert = true;
    return 0;
}

int GestionnaireSon::joueMusique(const char* chemin, int loops)
{
    if (musiqueCourante) {
        Mix_FreeMusic(musiqueCourante);
        musiqueCourante = nullptr;
    }
    // Without a device the game goes on silently; init already said why.
    if (!audioOuvert())
        return -1;
    // The music reads its stream while it plays and closes it when freed.
    SDL_RWops* flux = fluxFichierOrdinaire(chemin);
    musiqueCourante = flux ? Mix_LoadMUSType_RW(flux, MUS_NONE, 1) : nullptr;
    if (!musiqueCourante) {
        messageErreur("Impossible d'accéder au fichier musique\n");
        return -1;
    }
    if (Mix_PlayMusic(musiqueCourante, loops) != 0) {
        messageErreur("Impossible de jouer la musique\n");
        Mix_FreeMusic(musiqueCourante);
        musiqueCourante = nullptr;
        return -1;
    }
    Mix_HookMusicFinished(musiqueTerminee);
    return 0;
}

void GestionnaireSon::stoppeMusique()
{
    Mix_HaltMusic();
    if (musiqueCourante) {
        Mix_FreeMusic(musiqueCourante);
        musiqueCourante = nullptr;
    }
}

int GestionnaireSon::chargeSon(const char* chemin, const char* nom)
{
    CSon* son = new CSon(chemin, nom);
    if (Push(son) < 0) {
        Mix_FreeChunk(son->chunk);
        delete son;
    }
    return 0;
}

void GestionnaireSon::createInstanceSon(const char* nomSource, const char* nomInstance)
{
    CSon* source = getSon(nomSource);
    // An instance of an instance plays the same sample as its source.
    if (source && source->estInstance)
        source = source->sonSource;
    CSon* son = new CSon();
    son->sonSource = source;
    son->estInstance = true;
    copieNom(son->nom, nomInstance);
    if (Push(son) < 0)
        delete son;
}

int GestionnaireSon::joueSon(const char* nom, int loops, int distanceJeu, int angleJeu)
{
    int index = indexSon(nom);
    if (index < 0)
        return -1;
    CSon* son = elements[index];
    Mix_Chunk* chunk = echantillon(son);
    son->canal = -1;
    if (!chunk || !audioOuvert())
        return 0;
    bool positionPassee = distanceJeu != 0 || angleJeu != 0;
    int d = positionPassee ? distanceJeu : son->distance;
    int a = positionPassee ? angleJeu : son->angle;
    // Start and position under one lock so no buffer is mixed unpositioned
    // in between.
    SDL_LockAudio();
    son->canal = Mix_PlayChannelTimed(-1, chunk, loops, -1);
    if (son->canal != -1)
        Mix_SetPosition(son->canal, angleMixer(a), distanceMixer(d));
    SDL_UnlockAudio();
    return 0;
}

int GestionnaireSon::setPositionSon(const char* nom, int distanceJeu, int angleJeu)
{
    CSon* son = getSon(nom);
    if (!son)
        return -1;
    son->distance = distanceJeu;
    son->angle = angleJeu;
    return 0;
}

int GestionnaireSon::stoppeSon(const char* nom)
{
    CSon* son = getSon(nom);
    if (!son)
        return -1;
    if (son->canal != -1) {
        arreteCanalDe(son->canal, echantillon(son));
        son->canal = -1;
    }
    return 0;
}

int GestionnaireSon::effaceSon(const char* nom)
{
    int index = indexSon(nom);
    if (index < 0)
        return -1;
    retireSon(index);
    return 0;
}

void GestionnaireSon::effaceSons()
{
    while (size > 0)
        retireSon(0);
}

void GestionnaireSon::setVolumeZic(int volume)
{
    Mix_VolumeMusic(volume);
}

void GestionnaireSon::setVolumeSons(int volume)
{
    if (audioOuvert())
        Mix_Volume(-1, volume);
}

CSon* GestionnaireSon::getSon(const char* nom)
{
    int index = indexSon(nom);
    return index < 0 ? nullptr : elements[index];
}

void GestionnaireSon::pause()
{
    appliqueAuxLectures(Mix_PauseMusic, Mix_Pause);
}

void GestionnaireSon::resume()
{
    appliqueAuxLectures(Mix_ResumeMusic, Mix_Resume);
}

// Only the music and the channels this manager started are touched: a
// channel started elsewhere keeps playing.
void GestionnaireSon::appliqueAuxLectures(void (*surMusique)(), void (*surCanal)(int))
{
    if (musiqueCourante)
        surMusique();
    if (!audioOuvert())
        return;
    for (int i = 0; i < size; ++i)
        if (elements[i]->canal != -1)
            surCanal(elements[i]->canal);
}

int GestionnaireSon::indexSon(const char* nom) const
{
    if (!nom)
        return -1;
    // Registered names were cut to 19 characters; cut the key the same way
    // so the full long name still finds its sound.
    char cle[20];
    copieNom(cle, nom);
    for (int i = 0; i < size; ++i)
        if (strcmp(elements[i]->nom, cle) == 0)
            return i;
    return -1;
}

void GestionnaireSon::retireSon(int index)
{
    CSon* son = elements[index];
    if (son->estInstance) {
        arreteCanalDe(son->canal, echantillon(son));
    } else {
        arreteToutCanalDe(son->chunk);
        for (int i = 0; i < size; ++i)
            if (elements[i]->sonSource == son)
                elements[i]->sonSource = nullptr;
        Mix_FreeChunk(son->chunk);
        son->chunk = nullptr;
    }
    Delete(index);
    delete son;
}
