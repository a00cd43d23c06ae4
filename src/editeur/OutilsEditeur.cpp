#include "editeur/OutilsEditeur.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>

namespace editeur {

COutilsEditeur::COutilsEditeur(CModeleNiveau& m, EtatEditeur& e,
                               std::function<void(const std::string&, int&, int&)> t)
    : modele(m), etat(e), tailleActeur(std::move(t))
{
}

Rect COutilsEditeur::rectElement(const Element& e) const
{
    Rect r;
    if (e.genre == Element::Acteur) {
        const auto& acteurs = modele.acteurs();
        if (e.index < 0 || e.index >= static_cast<int>(acteurs.size()))
            return r;
        r.x = acteurs[e.index].x;
        r.y = acteurs[e.index].y;
        r.largeur = r.hauteur = 32;
        if (tailleActeur)
            tailleActeur(acteurs[e.index].type, r.largeur, r.hauteur);
        return r;
    }
    const auto& plans = modele.plans();
    if (e.plan < 0 || e.plan >= static_cast<int>(plans.size()))
        return r;
    const auto& tiles = plans[e.plan].tiles;
    if (e.tile < 0 || e.tile >= static_cast<int>(tiles.size()))
        return r;
    const TileEditee& t = tiles[e.tile];
    if (e.index < 0 || e.index >= static_cast<int>(t.positions.size()))
        return r;
    r.x = t.positions[e.index].x;
    r.y = t.positions[e.index].y;
    // A tile without frames still needs something to click.
    r.largeur = t.frames.empty() ? 16 : std::max(1, t.frames[0].longueur);
    r.hauteur = t.frames.empty() ? 16 : std::max(1, t.frames[0].hauteur);
    return r;
}

void COutilsEditeur::rectEcran(const Element& e, int dx, int dy, double& x, double& y, double& x2,
                               double& y2) const
{
    Rect r = rectElement(e);
    int ratio = 100, ex = 0, ey = 0;
    const auto& plans = modele.plans();
    if (e.genre == Element::Placement && e.plan >= 0 && e.plan < static_cast<int>(plans.size())) {
        ratio = etat.ratio(plans[e.plan]);
        ex = plans[e.plan].parametres.positionEcranX;
        ey = plans[e.plan].parametres.positionEcranY;
    }
    ecranDepuisPlan(etat.cadrage, ratio, ex, ey, r.x + dx, r.y + dy, x, y);
    ecranDepuisPlan(etat.cadrage, ratio, ex, ey, r.x + dx + r.largeur, r.y + dy + r.hauteur, x2, y2);
}

Point COutilsEditeur::pointOutil(double x, double y) const
{
    if (etat.outil == OutilActeurs)
        return planDepuisEcran(etat.cadrage, 100, 0, 0, x, y);
    const auto& plans = modele.plans();
    if (etat.plan < 0 || etat.plan >= static_cast<int>(plans.size()))
        return planDepuisEcran(etat.cadrage, 100, 0, 0, x, y);
    const PlanEdite& p = plans[etat.plan];
    return planDepuisEcran(etat.cadrage, etat.ratio(p), p.parametres.positionEcranX,
                           p.parametres.positionEcranY, x, y);
}

bool COutilsEditeur::elementSous(double x, double y, Element& e) const
{
    Point p = pointOutil(x, y);
    // Last drawn is on top: search backwards.
    if (etat.outil == OutilActeurs) {
        for (int i = static_cast<int>(modele.acteurs().size()) - 1; i >= 0; --i) {
            Element a;
            a.genre = Element::Acteur;
            a.index = i;
            if (contient(rectElement(a), p.x, p.y)) {
                e = a;
                return true;
            }
        }
        return false;
    }
    const auto& plans = modele.plans();
    if (etat.plan < 0 || etat.plan >= static_cast<int>(plans.size()))
        return false;
    const auto& tiles = plans[etat.plan].tiles;
    for (int t = static_cast<int>(tiles.size()) - 1; t >= 0; --t)
        for (int i = static_cast<int>(tiles[t].positions.size()) - 1; i >= 0; --i) {
            Element c;
            c.plan = etat.plan;
            c.tile = t;
            c.index = i;
            if (contient(rectElement(c), p.x, p.y)) {
                e = c;
                return true;
            }
        }
    return false;
}

bool COutilsEditeur::estSelectionne(const Element& e) const
{
    return std::find(etat.selection.begin(), etat.selection.end(), e) != etat.selection.end();
}

void COutilsEditeur::appuie(int bouton, double x, double y, bool ajoute)
{
    etat.souris[0] = x;
    etat.souris[1] = y;
    if (bouton == SDL_BUTTON_MIDDLE) {
        etat.glisse = EtatEditeur::Defilement;
        etat.x0 = x;
        etat.y0 = y;
        etat.cadrageDepart = etat.cadrage;
        return;
    }
    if (bouton != SDL_BUTTON_LEFT || etat.apercu)
        return;
    if (y >= etat.hautPalette()) {
        int i = premierPalette() + static_cast<int>(x) / CasePalette;
        if (i < nbPalette())
            choisitPalette(i);
        return;
    }
    if (etat.panneau && x < LargeurPanneau && y >= HautPanneau
        && y < HautPanneau + NbLignesPanneau * LignePanneau) {
        etat.lignePanneau = static_cast<int>(y - HautPanneau) / LignePanneau;
        return;
    }
    // The rest of the panel's box is the panel's too, not the level's.
    if (etat.panneau && x < LargeurPanneau && y >= HautBoitePanneau && y < BasBoitePanneau)
        return;
    etat.x0 = x;
    etat.y0 = y;
    Rect drapeau;
    if (drapeauArrivee(drapeau) && contient(drapeau, static_cast<int>(x), static_cast<int>(y))) {
        etat.glisse = EtatEditeur::Arrivee;
        return;
    }
    Element e;
    if (elementSous(x, y, e)) {
        if (ajoute && estSelectionne(e)) {
            etat.selection.erase(std::find(etat.selection.begin(), etat.selection.end(), e));
            return;
        }
        if (!estSelectionne(e)) {
            if (!ajoute)
                etat.selection.clear();
            etat.selection.push_back(e);
        }
        etat.saisi = e;
        etat.glisse = EtatEditeur::Deplacement;
    } else {
        etat.glisse = EtatEditeur::ClicVide;
    }
}

void COutilsEditeur::bouge(double x, double y)
{
    etat.souris[0] = x;
    etat.souris[1] = y;
    if (etat.glisse == EtatEditeur::Defilement) {
        const Cadrage& d = etat.cadrageDepart;
        etat.cadrage.position = d.position - static_cast<int>(std::lround((x - etat.x0) * 100.0 / d.zoom));
        etat.cadrage.haut = d.haut - static_cast<int>(std::lround((y - etat.y0) * 100.0 / d.zoom));
    } else if (etat.glisse == EtatEditeur::ClicVide
               && std::hypot(x - etat.x0, y - etat.y0) >= SeuilGlisse) {
        etat.glisse = EtatEditeur::Elastique;
    }
}

void COutilsEditeur::decalageGlisse(double x, double y, int& dx, int& dy) const
{
    dx = static_cast<int>(std::lround((x - etat.x0) * 100.0 / etat.cadrage.zoom));
    dy = static_cast<int>(std::lround((y - etat.y0) * 100.0 / etat.cadrage.zoom));
    if (std::hypot(x - etat.x0, y - etat.y0) < SeuilGlisse) {
        dx = dy = 0;
        return;
    }
    if (etat.grille) {
        // The dragged element lands on the grid; the others keep their
        // distances to it.
        Rect r = rectElement(etat.saisi);
        dx = aligneGrille(r.x + dx + PasGrille / 2) - r.x;
        dy = aligneGrille(r.y + dy + PasGrille / 2) - r.y;
    }
}

void COutilsEditeur::relache(int bouton, double x, double y, bool ajoute)
{
    // The wheel's and the right button's releases end no drag.
    if (bouton != SDL_BUTTON_LEFT && bouton != SDL_BUTTON_MIDDLE)
        return;
    bouge(x, y);
    EtatEditeur::Glisse g = etat.glisse;
    if ((bouton == SDL_BUTTON_MIDDLE) != (g == EtatEditeur::Defilement))
        return;
    int arrivee = 0;
    const bool arriveeBouge = g == EtatEditeur::Arrivee && arriveeGlissee(arrivee);
    etat.glisse = EtatEditeur::Aucun;
    if (arriveeBouge)
        etat.change |= modele.fixeArrivee(arrivee);
    if (g == EtatEditeur::Deplacement) {
        int dx, dy;
        decalageGlisse(x, y, dx, dy);
        if (dx != 0 || dy != 0)
            etat.change |= modele.deplace(etat.selection, dx, dy);
    } else if (g == EtatEditeur::Elastique) {
        selectionneRect(x, y, ajoute);
    } else if (g == EtatEditeur::ClicVide) {
        // Only a click with nothing selected places: one beside a selection
        // lets it go (with Shift, keeps it), and the next one places.
        if (etat.selection.empty())
            place(x, y);
        else if (!ajoute)
            etat.selection.clear();
    }
}

void COutilsEditeur::place(double x, double y)
{
    Point p = pointOutil(x, y);
    if (etat.grille) {
        p.x = aligneGrille(p.x);
        p.y = aligneGrille(p.y);
    }
    if (etat.outil == OutilActeurs) {
        const std::vector<std::string>& types = etat.typesActeurs;
        if (!types.empty())
            etat.change |= modele.placeActeur(types[choixPalette()], p.x, p.y);
        return;
    }
    if (nbPalette() > 0)
        etat.change |= modele.placeTile(etat.plan, choixPalette(), p.x, p.y);
}

void COutilsEditeur::selectionneRect(double x, double y, bool ajoute)
{
    Point a = pointOutil(etat.x0, etat.y0);
    Point b = pointOutil(x, y);
    Rect bande = rectEntre(a.x, a.y, b.x, b.y);
    if (!ajoute)
        etat.selection.clear();
    auto prend = [&](const Element& e) {
        if (chevauche(bande, rectElement(e)) && !estSelectionne(e))
            etat.selection.push_back(e);
    };
    if (etat.outil == OutilActeurs) {
        for (int i = 0; i < static_cast<int>(modele.acteurs().size()); ++i) {
            Element e;
            e.genre = Element::Acteur;
            e.index = i;
            prend(e);
        }
        return;
    }
    if (etat.plan < 0 || etat.plan >= static_cast<int>(modele.plans().size()))
        return;
    const auto& tiles = modele.plans()[etat.plan].tiles;
    for (int t = 0; t < static_cast<int>(tiles.size()); ++t)
        for (int i = 0; i < static_cast<int>(tiles[t].positions.size()); ++i) {
            Element e;
            e.plan = etat.plan;
            e.tile = t;
            e.index = i;
            prend(e);
        }
}

void COutilsEditeur::supprimeSelection()
{
    if (!etat.selection.empty())
        etat.change |= modele.supprime(etat.selection);
    etat.selection.clear();
}

void COutilsEditeur::copieSelection()
{
    if (!etat.selection.empty())
        etat.pressePapier = modele.copie(etat.selection);
}

void COutilsEditeur::colle()
{
    if (etat.pressePapier.vide())
        return;
    // The first copy lands under the pointer, the others keep their places
    // around it.
    const PressePapier::Copie& c = etat.pressePapier.copies.front();
    Point p;
    if (c.genre == Element::Acteur || c.plan < 0 || c.plan >= static_cast<int>(modele.plans().size())) {
        p = planDepuisEcran(etat.cadrage, 100, 0, 0, etat.souris[0], etat.souris[1]);
    } else {
        const PlanEdite& plan = modele.plans()[c.plan];
        p = planDepuisEcran(etat.cadrage, etat.ratio(plan), plan.parametres.positionEcranX,
                            plan.parametres.positionEcranY, etat.souris[0], etat.souris[1]);
    }
    if (etat.grille) {
        p.x = aligneGrille(p.x);
        p.y = aligneGrille(p.y);
    }
    std::vector<Element> colles;
    if (modele.colle(etat.pressePapier, p.x - c.x, p.y - c.y, &colles)) {
        etat.selection = colles;
        etat.change = true;
    }
}

void COutilsEditeur::valideSelection()
{
    std::vector<Element> gardes;
    for (const Element& e : etat.selection)
        if (rectElement(e).largeur > 0)
            gardes.push_back(e);
    etat.selection.swap(gardes);
    if (etat.plan >= static_cast<int>(modele.plans().size()))
        etat.plan = 0;
    etat.tileChoisie.resize(modele.plans().size(), 0);
}

int COutilsEditeur::nbPalette() const
{
    if (etat.outil == OutilActeurs)
        return static_cast<int>(etat.typesActeurs.size());
    if (etat.plan < 0 || etat.plan >= static_cast<int>(modele.plans().size()))
        return 0;
    return static_cast<int>(modele.plans()[etat.plan].tiles.size());
}

int COutilsEditeur::choixPalette() const
{
    int n = nbPalette();
    int c = etat.outil == OutilActeurs
                ? etat.acteurChoisi
                : (etat.plan < static_cast<int>(etat.tileChoisie.size()) ? etat.tileChoisie[etat.plan] : 0);
    return n <= 0 ? 0 : std::min(std::max(c, 0), n - 1);
}

void COutilsEditeur::choisitPalette(int i)
{
    int n = nbPalette();
    if (n <= 0)
        return;
    i = std::min(std::max(i, 0), n - 1);
    if (etat.outil == OutilActeurs) {
        etat.acteurChoisi = i;
        return;
    }
    if (etat.plan >= static_cast<int>(etat.tileChoisie.size()))
        etat.tileChoisie.resize(etat.plan + 1, 0);
    etat.tileChoisie[etat.plan] = i;
}

int COutilsEditeur::premierPalette() const
{
    return choixPalette() / casesPalette() * casesPalette();
}

void COutilsEditeur::changeParametre(int ligne, int pas)
{
    if (etat.panneauActeur) {
        changeParametreActeur(ligne, pas);
        return;
    }
    if (etat.plan < 0 || etat.plan >= static_cast<int>(modele.plans().size()) || pas == 0)
        return;
    ParametresPlanEdites p = modele.plans()[etat.plan].parametres;
    switch (ligne) {
    case 0: p.scrollRatio = std::max(0, p.scrollRatio + 5 * pas); break;
    case 1: p.positionEcranX += 8 * pas; break;
    case 2: p.positionEcranY += 8 * pas; break;
    case 3: p.repeatX = !p.repeatX; break;
    case 4: p.repeatY = !p.repeatY; break;
    case 5: p.priorite = std::max(1, p.priorite + pas); break;
    case 6: p.alpha = std::min(255, std::max(0, (p.alpha < 0 ? 255 : p.alpha) + 15 * pas)); break;
    default: return;
    }
    etat.change |= modele.fixeParametres(etat.plan, p);
}

}
