// The steps on tiles and on a plane's own keys.
#include "editeur/EtatModele.h"

#include "scenery/CBackground.h"
#include "scenery/ClesNiveau.h"

using namespace clesNiveau;

namespace editeur {

namespace {

const char* const Pause = "pause";
const int PAUSE_DEFAUT = 0; // as the game reads a frame without the key

// The frame keys that differ from `actuelle` (a new frame: from the
// defaults, with its rectangle always written).
Cles clesFrame(const FrameEditee& f, const FrameEditee* actuelle)
{
    Cles cles;
    auto ajoute = [&](const char* cle, int valeur, int ancienne, bool toujours) {
        if (toujours || valeur != ancienne)
            cles.emplace_back(cle, nombre(valeur));
    };
    FrameEditee defaut;
    const FrameEditee& a = actuelle ? *actuelle : defaut;
    bool neuve = actuelle == nullptr;
    ajoute(PositionX, f.positionX, a.positionX, neuve);
    ajoute(PositionY, f.positionY, a.positionY, neuve);
    ajoute("longueur", f.longueur, a.longueur, neuve);
    ajoute("hauteur", f.hauteur, a.hauteur, neuve);
    ajoute(ValeurAlpha, f.alpha, a.alpha, neuve);
    ajoute(Pause, f.pause, neuve ? PAUSE_DEFAUT : a.pause, false);
    return cles;
}

bool planValide(const CModeleNiveau::Etat& e, int plan)
{
    return plan >= 0 && plan < static_cast<int>(e.plans.size());
}

}

bool CModeleNiveau::fixeParametres(int plan, const ParametresPlanEdites& p)
{
    return etape([&](Etat& e) {
        if (!planValide(e, plan))
            return false;
        const ParametresPlanEdites& a = e.plans[plan].parametres;
        Cles cles;
        auto ajoute = [&](const char* cle, int valeur, int ancienne) {
            if (valeur != ancienne)
                cles.emplace_back(cle, nombre(valeur));
        };
        ajoute(Priorite, p.priorite, a.priorite);
        ajoute(ScrollRatio, p.scrollRatio, a.scrollRatio);
        ajoute(PositionEcranX, p.positionEcranX, a.positionEcranX);
        ajoute(PositionEcranY, p.positionEcranY, a.positionEcranY);
        ajoute(RepeatX, p.repeatX, a.repeatX);
        ajoute(RepeatY, p.repeatY, a.repeatY);
        if (p.alpha >= 0 && p.alpha <= 255 && p.alpha != a.alpha) {
            CDocumentProfil* doc = e.documentDe(plan);
            if (!doc)
                return false;
            // Every frame in one go: the document is read once.
            std::vector<ValeurProfil> valeurs;
            const std::vector<TileEditee>& tiles = e.plans[plan].tiles;
            for (size_t t = 0; t < tiles.size(); ++t)
                for (size_t m = 0; m < tiles[t].frames.size(); ++m)
                    valeurs.push_back({nomSection(SectionFrame, static_cast<int>(t) + 1, static_cast<int>(m) + 1),
                                       ValeurAlpha, nombre(p.alpha)});
            if (!doc->fixe(valeurs))
                return false;
        }
        return fixeTout(e.niveau(), nomSection(SectionPlan, plan + 1), cles);
    });
}

bool ecritNouvelleTile(CDocumentProfil& doc, int t, const TileEditee& tile)
{
    if (tile.frames.size() > static_cast<size_t>(MAX_FRAMES_TILE))
        return false;
    int nbFrames = static_cast<int>(tile.frames.size());
    Cles cles = {{NbFrames, nombre(nbFrames)}, {NbPositions, "0"}, {PathPlanche, tile.planche}};
    // Every key written, so that the checker has nothing to say.
    cles.emplace_back(ColorkeyR, nombre(tile.cleR < 0 ? -1 : tile.cleR));
    cles.emplace_back(ColorkeyG, nombre(tile.cleG < 0 ? 0 : tile.cleG));
    cles.emplace_back(ColorkeyB, nombre(tile.cleB < 0 ? 0 : tile.cleB));
    std::vector<SectionNouvelle> sections = {{nomSection(SectionTile, t), cles}};
    for (int m = 1; m <= nbFrames; ++m)
        sections.push_back({nomSection(SectionFrame, t, m), clesFrame(tile.frames[m - 1], nullptr)});
    return doc.ajouteSections(nullptr, sections) && doc.fixe(Entete, NombreTiles, nombre(t));
}

bool CModeleNiveau::ajouteTile(int plan, const TileEditee& tile)
{
    return etape([&](Etat& e) {
        CDocumentProfil* doc = e.documentDe(plan);
        return doc && ecritNouvelleTile(*doc, static_cast<int>(e.plans[plan].tiles.size()) + 1, tile);
    });
}

bool CModeleNiveau::modifieTile(int plan, int tile, const TileEditee& nouvelle)
{
    return etape([&](Etat& e) {
        CDocumentProfil* doc = e.documentDe(plan);
        const TileEditee* a = e.tileDe(plan, tile);
        if (!doc || !a || nouvelle.frames.size() > static_cast<size_t>(MAX_FRAMES_TILE))
            return false;
        const TileEditee ancienne = *a;
        const int t = tile + 1;
        const std::string section = nomSection(SectionTile, t);
        Cles cles;
        if (nouvelle.planche != ancienne.planche)
            cles.emplace_back(PathPlanche, nouvelle.planche);
        if (nouvelle.cleR != ancienne.cleR)
            cles.emplace_back(ColorkeyR, nombre(nouvelle.cleR));
        const int g = nouvelle.cleG < 0 ? 0 : nouvelle.cleG, b = nouvelle.cleB < 0 ? 0 : nouvelle.cleB;
        if (nouvelle.cleR != -1 && g != ancienne.cleG)
            cles.emplace_back(ColorkeyG, nombre(g));
        if (nouvelle.cleR != -1 && b != ancienne.cleB)
            cles.emplace_back(ColorkeyB, nombre(b));
        if (!fixeTout(*doc, section, cles))
            return false;

        const int avant = static_cast<int>(ancienne.frames.size());
        const int apres = static_cast<int>(nouvelle.frames.size());
        std::vector<SectionNouvelle> nouvelles;
        for (int m = 1; m <= apres; ++m) {
            const std::string f = nomSection(SectionFrame, t, m);
            if (m > avant)
                nouvelles.push_back({f, clesFrame(nouvelle.frames[m - 1], nullptr)});
            else if (!fixeTout(*doc, f, clesFrame(nouvelle.frames[m - 1], &ancienne.frames[m - 1])))
                return false;
        }
        if (!nouvelles.empty()
            && !doc->ajouteSections((avant > 0 ? nomSection(SectionFrame, t, avant) : section).c_str(), nouvelles))
            return false;
        if (apres < avant) {
            std::vector<std::string> noms;
            std::vector<int> retraits;
            for (int m = 1; m <= avant; ++m) {
                noms.push_back(nomSection(SectionFrame, t, m));
                if (m > apres)
                    retraits.push_back(m);
            }
            std::string texte = doc->texte();
            retireSections(texte, noms, retraits);
            doc->remplaceTexte(texte);
        }
        return avant == apres || doc->fixe(section.c_str(), NbFrames, nombre(apres));
    });
}

}
