#include "game/ApercuActeurs.h"

#include "game/Acteurs.h"

CApercuActeurs::CApercuActeurs() : acteurs_(new CActeurs()) {}
CApercuActeurs::~CApercuActeurs() = default;

int CApercuActeurs::charge(const char* niveau)
{
    int arriveeX = 0;
    acteurs_->charge(niveau, true, arriveeX);
    // Everyone at the start, still: the viewers never step them.
    acteurs_->recommence();
    return static_cast<int>(acteurs_->acteurs.size());
}

void CApercuActeurs::affiche(int positionNiveau, int haut, int largeur, int hauteur)
{
    acteurs_->dessine(positionNiveau, haut, largeur, hauteur);
}
