// The level editor's model on a level, a plane and an autosave file cut
// from the input at its first two 0x01 bytes (the level is a fixed one
// naming the plane when the input has no 0x01), through every kind of
// step, undone and redone.
#include "Commun.h"
#include "editeur/ModeleNiveau.h"
#include "foundation/IndexProfil.h"

#include <string>

using namespace editeur;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepareDossier();
    return 0;
}

namespace {

void etapes(CModeleNiveau& m)
{
    std::vector<Element> elements;
    for (size_t p = 0; p < m.plans().size(); ++p)
        for (size_t t = 0; t < m.plans()[p].tiles.size() && t < 4; ++t) {
            Element e;
            e.plan = static_cast<int>(p);
            e.tile = static_cast<int>(t);
            m.placeTile(e.plan, e.tile, 5, 6);
            e.index = static_cast<int>(m.plans()[p].tiles[t].positions.size()) - 1;
            elements.push_back(e);
            TileEditee tile = m.plans()[p].tiles[t];
            tile.frames.resize(tile.frames.size() % 3 + 1);
            tile.frames.back().pause = 150;
            m.modifieTile(e.plan, e.tile, tile);
            m.ajouteTile(e.plan, tile);
        }
    Element acteur;
    acteur.genre = Element::Acteur;
    m.placeActeur("garde", 1, 2);
    acteur.index = static_cast<int>(m.acteurs().size()) - 1;
    elements.push_back(acteur);
    m.deplace(elements, 3, -3);
    m.colle(m.copie(elements), 10, 10);
    acteur.index = 0;
    m.supprime({acteur});
    m.supprime(elements);
    if (!m.plans().empty()) {
        ParametresPlanEdites p = m.plans()[0].parametres;
        p.repeatY = !p.repeatY;
        m.fixeParametres(0, p);
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    std::string entree(reinterpret_cast<const char*>(donnees), taille);
    size_t a = entree.find('\x01');
    size_t b = a == std::string::npos ? a : entree.find('\x01', a + 1);
    std::string niveau = "[Entete]\nnombrePlans=1\nnombreActeurs=1\n[Plan1]\npathPlan=e.ini\n[Acteur1]\ntype=x\n";
    std::string plan = entree, autosave;
    if (a != std::string::npos) {
        niveau = entree.substr(0, a);
        plan = entree.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
        if (b != std::string::npos)
            autosave = entree.substr(b + 1);
    }
    fuzz::ecrit("n.ini", reinterpret_cast<const uint8_t*>(niveau.data()), niveau.size());
    fuzz::ecrit("e.ini", reinterpret_cast<const uint8_t*>(plan.data()), plan.size());
    fuzz::ecrit("n.ini.autosave", reinterpret_cast<const uint8_t*>(autosave.data()), autosave.size());
    {
        CModeleNiveau m;
        if (m.ouvre("n.ini")) {
            CModeleNiveau::autosaveDisponible("n.ini");
            m.reprendAutosave();
            etapes(m);
            while (m.annule()) {
            }
            while (m.retablit()) {
            }
            m.ecritAutosave();
            m.reprendAutosave();
        }
    }
    oublieProfil("n.ini");
    oublieProfil("e.ini");
    return 0;
}
