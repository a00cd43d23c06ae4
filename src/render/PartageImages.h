#ifndef CORVANTHELIS_RENDER_PARTAGEIMAGES_H
#define CORVANTHELIS_RENDER_PARTAGEIMAGES_H

// Decoded pictures shared by path, around the one decoding door.
//
// decodeImage (render/Decodage.h) looks here before reading a file:
// - a picture of the start-up prefetch is handed over, the caller waiting
//   while a worker thread is decoding it; one no worker has started yet is
//   decoded by the caller itself;
// - while a CPartageImages lives (one load, one conversion), a path decoded
//   once is handed out again: the same surface with its reference count
//   raised, so that each caller's SDL_FreeSurface balances its decodeImage.
//   Callers must not change a surface they got (pixels, colour key);
//   clearing its per-surface alpha flag is the only change allowed, as every
//   loader does the same;
//   a file rewritten since (another size or modification time) is decoded
//   again, so a scope may last as long as an editing session;
// - anything else goes to decodeFichierImage, the function that reads files.
// Failures are shared like pictures: the caller gets null and says so itself,
// at the point where it asked.
//
// Sharing is for the main thread; the prefetch's workers only decode.

#include <functional>
#include <string>
#include <vector>

struct SDL_Surface;

// One load or conversion. Scopes nest; the outermost one's end releases the
// pictures kept (each one's memory goes when its last holder frees it).
class CPartageImages {
public:
    CPartageImages();
    ~CPartageImages();
    CPartageImages(const CPartageImages&) = delete;
    CPartageImages& operator=(const CPartageImages&) = delete;
};

// Starts decoding `fichiers`, in order, on one worker thread a core (two at
// the most). Call it on the main thread before the display opens; a
// prefetch already running is ended first.
void prechargeImages(const std::vector<std::string>& fichiers);
// Stops the workers after the pictures they are on, waits for them and
// frees the pictures nobody took.
void terminePrechargement();

// Called with the path of every file actually decoded (prefetch included),
// under a lock; null to stop. For tests and measures.
void setEcouteDecodage(std::function<void(const char*)> ecoute);

#endif
