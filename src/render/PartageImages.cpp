#include "render/PartageImages.h"

#include "foundation/DossiersJoueur.h"
#include "render/Decodage.h"

#include <SDL.h>
#include <SDL_image.h>

#include <condition_variable>
#include <sys/stat.h>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace {

enum EtatPrecharge { EN_ATTENTE, EN_COURS, PRETE, PRISE };

// Decoded pictures wait in memory until taken: past this much, the workers
// stop and the loaders decode the rest themselves.
const size_t OCTETS_MAX = 256u * 1024 * 1024;

struct Precharge {
    std::string fichier;
    EtatPrecharge etat;
    SDL_Surface* surface;
};

// What tells a file changed: a picture shared for a long scope (the
// editor's session) is decoded again once its file is rewritten.
struct Signature {
    long long taille = -1;
    long long secondes = 0;
    long nanosecondes = 0;
    bool operator==(const Signature& o) const
    {
        return taille == o.taille && secondes == o.secondes && nanosecondes == o.nanosecondes;
    }
};

Signature signature(const char* fichier)
{
    Signature s;
    struct stat st;
    if (stat(cheminContenuLu(fichier).c_str(), &st) == 0) {
        s.taille = st.st_size;
        s.secondes = st.st_mtim.tv_sec;
        s.nanosecondes = st.st_mtim.tv_nsec;
    }
    return s;
}

struct Partagee {
    SDL_Surface* surface;
    Signature signature;
};

struct Etat {
    std::mutex verrou;
    std::condition_variable changement;
    std::function<void(const char*)> ecoute;
    int niveauPartage = 0;
    std::map<std::string, Partagee> partagees;
    std::vector<Precharge> precharges;
    bool arret = false;
    size_t octets = 0;
    std::vector<std::thread> ouvriers;

    // A thread still running at exit would outlive SDL.
    ~Etat() { termine(); }

    void termine()
    {
        {
            std::lock_guard<std::mutex> garde(verrou);
            arret = true;
        }
        for (std::thread& ouvrier : ouvriers)
            ouvrier.join();
        ouvriers.clear();
        std::lock_guard<std::mutex> garde(verrou);
        for (Precharge& p : precharges)
            if (p.etat == PRETE && p.surface)
                SDL_FreeSurface(p.surface);
        precharges.clear();
        arret = false;
        octets = 0;
    }
};

Etat& etat()
{
    static Etat e;
    return e;
}

SDL_Surface* decodeEtCompte(const char* fichier)
{
    SDL_Surface* surface = decodeFichierImage(fichier);
    Etat& e = etat();
    std::lock_guard<std::mutex> garde(e.verrou);
    if (e.ecoute)
        e.ecoute(fichier);
    return surface;
}

// Decodes the picture at `numero`, marked EN_COURS by the caller, with the
// lock released meanwhile, and hands it to whoever waits for it.
void decodePrecharge(std::unique_lock<std::mutex>& verrou, size_t numero)
{
    Etat& e = etat();
    // The vector never grows while a prefetch runs, so the index holds.
    std::string fichier = e.precharges[numero].fichier;
    verrou.unlock();
    SDL_Surface* surface = decodeEtCompte(fichier.c_str());
    verrou.lock();
    e.precharges[numero].surface = surface;
    if (surface)
        e.octets += static_cast<size_t>(surface->pitch) * surface->h;
    e.precharges[numero].etat = PRETE;
    e.changement.notify_all();
}

// The next picture nobody has started, from the front or from the back of
// the list; the list's size when there is none, or when the prefetch stops.
size_t aCommencer(bool depuisLaFin)
{
    Etat& e = etat();
    const size_t n = e.precharges.size();
    if (e.arret || e.octets > OCTETS_MAX)
        return n;
    for (size_t k = 0; k < n; ++k) {
        size_t i = depuisLaFin ? n - 1 - k : k;
        if (e.precharges[i].etat == EN_ATTENTE)
            return i;
    }
    return n;
}

void travailOuvrier()
{
    Etat& e = etat();
    std::unique_lock<std::mutex> verrou(e.verrou);
    for (size_t i; (i = aCommencer(false)) < e.precharges.size();) {
        e.precharges[i].etat = EN_COURS;
        decodePrecharge(verrou, i);
    }
}

// The prefetched picture of `fichier`, waiting for it if it is being
// decoded. False when the prefetch does not hold it (any more).
bool prendPrecharge(std::unique_lock<std::mutex>& verrou, const char* fichier, SDL_Surface*& surface)
{
    Etat& e = etat();
    for (size_t i = 0; i < e.precharges.size(); ++i) {
        if (e.precharges[i].fichier != fichier || e.precharges[i].etat == PRISE)
            continue;
        if (e.precharges[i].etat == EN_ATTENTE) {
            // Not started: the caller decodes it at once rather than wait.
            e.precharges[i].etat = PRISE;
            return false;
        }
        // While a worker is on it, the caller decodes pictures from the
        // end of the list, which the workers would reach last, rather than
        // idle: every core decodes until the list is done.
        while (e.precharges[i].etat != PRETE) {
            size_t autre = aCommencer(true);
            if (autre < e.precharges.size()) {
                e.precharges[autre].etat = EN_COURS;
                decodePrecharge(verrou, autre);
            } else {
                e.changement.wait(verrou);
            }
        }
        e.precharges[i].etat = PRISE;
        surface = e.precharges[i].surface;
        return true;
    }
    return false;
}

} // namespace

SDL_Surface* decodeImage(const char* fichier)
{
    if (!fichier)
        return nullptr;
    Etat& e = etat();
    std::unique_lock<std::mutex> verrou(e.verrou);
    if (e.niveauPartage > 0) {
        auto it = e.partagees.find(fichier);
        if (it != e.partagees.end()) {
            if (it->second.signature == signature(fichier)) {
                if (it->second.surface)
                    ++it->second.surface->refcount;
                return it->second.surface;
            }
            // Those who took it keep their reference.
            if (it->second.surface)
                SDL_FreeSurface(it->second.surface);
            e.partagees.erase(it);
        }
    }
    SDL_Surface* surface = nullptr;
    if (!prendPrecharge(verrou, fichier, surface)) {
        verrou.unlock();
        surface = decodeEtCompte(fichier);
        verrou.lock();
    }
    if (e.niveauPartage > 0) {
        e.partagees[fichier] = Partagee{surface, signature(fichier)};
        if (surface)
            ++surface->refcount;
    }
    return surface;
}

CPartageImages::CPartageImages()
{
    Etat& e = etat();
    std::lock_guard<std::mutex> garde(e.verrou);
    ++e.niveauPartage;
}

CPartageImages::~CPartageImages()
{
    Etat& e = etat();
    std::lock_guard<std::mutex> garde(e.verrou);
    if (--e.niveauPartage > 0)
        return;
    for (auto& p : e.partagees)
        if (p.second.surface)
            SDL_FreeSurface(p.second.surface);
    e.partagees.clear();
}

void prechargeImages(const std::vector<std::string>& fichiers)
{
    Etat& e = etat();
    e.termine();
    // The decoders' libraries are set up here, not by two threads at once.
    IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
    {
        std::lock_guard<std::mutex> garde(e.verrou);
        for (const std::string& f : fichiers) {
            bool deja = false;
            for (const Precharge& p : e.precharges)
                deja = deja || p.fichier == f;
            if (!deja)
                e.precharges.push_back(Precharge{f, EN_ATTENTE, nullptr});
        }
    }
    // While the display opens the main thread mostly waits on the X
    // server, so a second worker decodes in that time even on two cores.
    // Two at the most: the list holds a handful of pictures.
#ifdef __EMSCRIPTEN__
    // The browser build has no threads: each picture is decoded when asked.
    (void)travailOuvrier;
#else
    const unsigned coeurs = std::thread::hardware_concurrency();
    for (unsigned k = 0; k < (coeurs >= 2 ? 2u : 1u); ++k)
        e.ouvriers.emplace_back(travailOuvrier);
#endif
}

void terminePrechargement()
{
    etat().termine();
}

void setEcouteDecodage(std::function<void(const char*)> ecoute)
{
    Etat& e = etat();
    std::lock_guard<std::mutex> garde(e.verrou);
    e.ecoute = std::move(ecoute);
}
