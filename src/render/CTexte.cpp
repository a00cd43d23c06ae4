#include "render/CTexte.h"

#include "foundation/FichierDescription.h"
#include "foundation/InputOutput.h"
#include "foundation/Messages.h"
#include "foundation/Schema.h"
#include "render/Decodage.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstdio>

namespace {

// Pens this far out draw nothing visible and would not fit an int.
const long long POSITION_MAX = 1 << 24;

bool continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}

uint32_t lisCaractereUtf8(const char*& p, const char* fin)
{
    unsigned char c = static_cast<unsigned char>(*p++);
    if (c < 0x80)
        return c;
    int n;
    uint32_t code, minimum;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 1; code = c & 0x1F; minimum = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        n = 2; code = c & 0x0F; minimum = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 3; code = c & 0x07; minimum = 0x10000;
    } else {
        // Stray continuation byte, C0/C1 (always overlong) or F5..FF: the
        // bytes after it are read on their own.
        return CARACTERE_REMPLACEMENT;
    }
    for (int k = 0; k < n; ++k) {
        if (p >= fin || !continuation(static_cast<unsigned char>(*p)))
            return CARACTERE_REMPLACEMENT;
        code = (code << 6) | (static_cast<unsigned char>(*p++) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return CARACTERE_REMPLACEMENT;
    return code;
}

CTexte::CTexte() : hauteurLigne(0), base(0) {}

void CTexte::vide()
{
    glyphes.clear();
    hauteurLigne = base = 0;
}

bool litDescriptionPolice(const char* fichier, DescriptionPolice& police)
{
    namespace sp = schemaPolice;
    police = DescriptionPolice();
    long taille = tailleDescription(fichier);
    if (taille < 0)
        return false;
    InputOutput io;
    int nb;
    // Said once, by the font's own message.
    bool bon = litEntierCle(io, "Entete", sp::NombreGlyphes, fichier, nb, true);
    long long maximum = std::min<long long>(sp::NbGlyphesMax, maxElements(taille));
    if (!bon || nb <= 0 || nb > maximum) {
        messageErreur("Nombre de glyphes invalide dans %s : %d (de 1 à %lld)\n", fichier, nb, maximum);
        return false;
    }
    char chemin[sp::PathPlanche.tampon];
    litTexteCle(io, "Entete", sp::PathPlanche, "nothing", chemin, fichier);
    police.planche = chemin;
    // Past DecalageMax a value is nonsense from a bad file; kept within it,
    // no sum over a long string can overflow.
    auto lis = [&](const char* section, const DefCle& cle, long mini) {
        int v;
        litEntierCle(io, section, cle, fichier, v);
        return static_cast<int>(std::max(mini, std::min<long>(v, cle.max)));
    };
    police.hauteurLigne = lis("Entete", sp::HauteurLigne, 0);
    police.base = lis("Entete", sp::Base, 0);
    police.glyphes.reserve(nb);
    for (int n = 1; n <= nb; ++n) {
        char section[32];
        snprintf(section, sizeof section, "Glyphe%d", n);
        GlyphePolice g;
        int code;
        litEntierCle(io, section, sp::Code, fichier, code);
        g.code = static_cast<uint32_t>(code);
        int* valeurs[] = {&g.x, &g.y, &g.largeur, &g.hauteur};
        const DefCle* cles[] = {&sp::X, &sp::Y, &sp::Largeur, &sp::Hauteur};
        for (int i = 0; i < 4; ++i)
            litEntierCle(io, section, *cles[i], fichier, *valeurs[i]);
        g.decalageX = lis(section, sp::DecalageX, -sp::DecalageMax);
        g.decalageY = lis(section, sp::DecalageY, -sp::DecalageMax);
        g.avance = lis(section, sp::Avance, -sp::DecalageMax);
        if (code >= 0 && code <= 0x10FFFF)
            police.glyphes.push_back(g);
    }
    return true;
}

int CTexte::charge(const char* fichier)
{
    vide();
    DescriptionPolice police;
    if (!litDescriptionPolice(fichier, police))
        return 1;
    CBudgetChargement budget;
    budget.preleve(static_cast<long long>(police.glyphes.size()), sizeof(Glyphe));
    const char* chemin = police.planche.c_str();
    SDL_Surface* feuille = decodeImage(chemin);
    if (!feuille || !budget.preleve(static_cast<long long>(feuille->w) * feuille->h, 4) ||
        planche.chargeImageSDL(feuille, 0, 0, feuille->w, feuille->h, -1, 0, 0, false) != 0) {
        if (feuille)
            SDL_FreeSurface(feuille);
        messageErreur("Impossible de charger la planche de la police %s : %s\n", fichier, chemin);
        return 1;
    }
    SDL_FreeSurface(feuille);
    const int W = planche.getLongueur(), H = planche.getHauteur();

    hauteurLigne = police.hauteurLigne;
    base = police.base;
    glyphes = police.glyphes;
    for (Glyphe& g : glyphes)
        // A rectangle outside the sheet would show its neighbours: the
        // glyph keeps its advance and draws nothing.
        if (g.x < 0 || g.y < 0 || g.largeur <= 0 || g.hauteur <= 0 || g.largeur > W - g.x || g.hauteur > H - g.y)
            g.largeur = g.hauteur = 0;
    // The first description of a character wins.
    std::stable_sort(glyphes.begin(), glyphes.end(),
                     [](const Glyphe& a, const Glyphe& b) { return a.code < b.code; });
    glyphes.erase(std::unique(glyphes.begin(), glyphes.end(),
                              [](const Glyphe& a, const Glyphe& b) { return a.code == b.code; }),
                  glyphes.end());
    if (glyphes.empty()) {
        messageErreur("Aucun glyphe utilisable dans %s\n", fichier);
        vide();
        return 1;
    }
    return 0;
}

const CTexte::Glyphe* CTexte::glyphe(uint32_t code) const
{
    auto cherche = [this](uint32_t c) -> const Glyphe* {
        auto it = std::lower_bound(glyphes.begin(), glyphes.end(), c,
                                   [](const Glyphe& g, uint32_t v) { return g.code < v; });
        return it != glyphes.end() && it->code == c ? &*it : nullptr;
    };
    const Glyphe* g = cherche(code);
    return g ? g : cherche(CARACTERE_REMPLACEMENT);
}

long long CTexte::largeurLigne(const char*& p, const char* fin) const
{
    long long l = 0;
    while (p < fin) {
        uint32_t c = lisCaractereUtf8(p, fin);
        if (c == '\n')
            break;
        if (const Glyphe* g = glyphe(c))
            l += g->avance;
    }
    return l;
}

int CTexte::largeur(const std::string& utf8) const
{
    const char* p = utf8.data();
    const char* fin = p + utf8.size();
    long long plusLarge = 0;
    while (p < fin)
        plusLarge = std::max(plusLarge, largeurLigne(p, fin));
    return static_cast<int>(std::min<long long>(plusLarge, INT_MAX));
}

void CTexte::afficheLigne(long long x, long long y, const char*& p, const char* fin)
{
    while (p < fin) {
        uint32_t c = lisCaractereUtf8(p, fin);
        if (c == '\n')
            return;
        const Glyphe* g = glyphe(c);
        if (!g)
            continue;
        long long gx = x + g->decalageX, gy = y + g->decalageY;
        if (g->largeur > 0 && gx > -POSITION_MAX && gx < POSITION_MAX && gy > -POSITION_MAX && gy < POSITION_MAX)
            planche.affiche(static_cast<int>(gx), static_cast<int>(gy), g->x, g->y, g->largeur, g->hauteur);
        x += g->avance;
    }
}

void CTexte::affiche(int x, int y, const std::string& utf8)
{
    const char* p = utf8.data();
    const char* fin = p + utf8.size();
    for (long long ligne = y; p < fin && !glyphes.empty(); ligne += hauteurLigne)
        afficheLigne(x, ligne, p, fin);
}

void CTexte::afficheCentre(int xCentre, int y, const std::string& utf8)
{
    const char* p = utf8.data();
    const char* fin = p + utf8.size();
    for (long long ligne = y; p < fin && !glyphes.empty(); ligne += hauteurLigne) {
        const char* debut = p;
        long long l = largeurLigne(p, fin);
        p = debut;
        afficheLigne(xCentre - l / 2, ligne, p, fin);
    }
}
