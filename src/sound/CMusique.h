#ifndef CORVANTHELIS_SOUND_CMUSIQUE_H
#define CORVANTHELIS_SOUND_CMUSIQUE_H

// Music and named sound effects.
//
// GestionnaireSon is the game's one door to the audio device: it opens the
// mixer with fixed defaults, plays one music stream at a time and keeps the
// registry of named effects (CSon). The registry is the manager itself: its
// vector elements are the sounds in order of registration, and a name lookup
// always answers with the first sound registered under that name.
//
// Ownership: the manager creates and deletes every CSon of its registry, the
// samples they loaded and the current music. Removing a sound halts every
// channel still playing its sample (its own and its instances'), releases the
// sample, and leaves its instances silent from then on.
//
// Order: construct, init, then anything else; the destructor closes the
// device. Every operation is harmless when the device could not be opened.
// Names longer than 19 characters are cut to their first 19, both when a
// sound is registered and when it is looked up.
//
// The two free callbacks run on the mixer's audio thread and touch only the
// mixer, never the manager.

#include "foundation/CBasic_TemplateVector.h"

#include <SDL_mixer.h>

// One named sound effect, or an instance that plays another sound's sample.
class CSon {
public:
    // Loads the sample of `chemin` (null chunk when the file does not load)
    // under the name `nom`.
    CSon(const char* chemin, const char* nom);
    // An empty sound; the manager fills in the rest for an instance.
    CSon();

    CSon(const CSon&) = delete;
    CSon& operator=(const CSon&) = delete;

    char nom[20];        // registry name, at most 19 characters
    Mix_Chunk* chunk;    // own sample; null for an instance or a failed load
    int canal;           // channel of the last start, -1 when none or stopped
    bool estInstance;    // plays the sample of sonSource instead of its own
    int angle;           // stored direction in degrees, 90 = right
    int distance;        // stored distance, 0 near to 255 far
    CSon* sonSource;     // for an instance: the sound whose sample it plays
};

// Mixer callbacks, installed by the manager.
void musiqueTerminee();
void sonTermine(int channel);

class GestionnaireSon : public CBasic_TemplateVector<CSon*> {
public:
    GestionnaireSon();
    GestionnaireSon(unsigned short format, int frequence, int nbCanaux, int tailleChunk);
    virtual ~GestionnaireSon();

    // 0 when the device opened, -1 otherwise (message on standard error).
    int init();

    // Replaces the current music by `chemin`; `loops` is the mixer's count
    // (0: played once, -1: endlessly). 0 when it started, -1 when it did
    // not (no device, or a file the mixer cannot read).
    int joueMusique(const char* chemin, int loops);
    void stoppeMusique();

    // Registers the sound of `chemin` under `nom`; always 0.
    int chargeSon(const char* chemin, const char* nom);
    // Registers `nomInstance`, playing the sample of the sound `nomSource`.
    void createInstanceSon(const char* nomSource, const char* nomInstance);

    // Starts the sound on the first free channel. A non-zero distance or
    // angle positions this start; otherwise the stored position is used.
    // 0, or -1 when no sound has that name.
    int joueSon(const char* nom, int loops, int distance, int angle);
    // Stores the position used by later starts.
    int setPositionSon(const char* nom, int distance, int angle);
    int stoppeSon(const char* nom);
    int effaceSon(const char* nom);
    void effaceSons();

    // Mixer scale 0 to 128.
    void setVolumeZic(int volume);
    void setVolumeSons(int volume);

    CSon* getSon(const char* nom);

    void pause();
    void resume();

    unsigned short formatAudio;
    int frequence;
    int nbCanaux;
    int tailleChunk;
    Mix_Music* musiqueCourante;

private:
    // True once init has opened the device, until the destructor closes it.
    bool peripheriqueOuvert;

    int indexSon(const char* nom) const;
    void retireSon(int index);
    // Pause or resume: `surMusique` on a loaded music, `surCanal` on the
    // channel of every sound started since its last stop.
    void appliqueAuxLectures(void (*surMusique)(), void (*surCanal)(int));
};

#endif
