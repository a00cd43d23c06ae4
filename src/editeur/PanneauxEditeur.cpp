// The editor's overlays, in the drawing space: status lines,
// palette, plane panel, the checker's messages and the questions.
#include "editeur/VueEditeur.h"

#include "editeur/MiseEnPage.h"

#include "render/CImageGL.h"
#include "render/CTexte.h"
#include "render/PartageImages.h"
#include "sprites/CAnimGL.h"
#include "sprites/CSprite.h"

#include <algorithm>

namespace editeur {

namespace {
const float TailleStatut = 0.7f;
const int LigneStatut = 16;

std::string nomFichier(const std::string& chemin)
{
    size_t barre = chemin.find_last_of("/\\");
    return barre == std::string::npos ? chemin : chemin.substr(barre + 1);
}

// The visible part of a picture fitted into a cote x cote square centred
// on (cx, cy), enlarged up to twice: a small or faint figure on a large
// transparent frame still fills its cell. Faint pixels are drawn several
// times over, which makes them show.
void afficheAjuste(CImageGL& image, int cx, int cy, int cote)
{
    Rect r;
    int alphaMax = 0;
    if (!cadreVisibleImage(image, r, &alphaMax))
        return;
    const int zoom = zoomAjuste(r.largeur, r.hauteur, cote, 200);
    const int couches = alphaMax >= AlphaPale ? 1 : 1 + (AlphaPale - 1) / std::max(1, alphaMax);
    commenceZoom(zoom, 0);
    image.setZoom(100);
    image.setAlphaBlending(255);
    const int x = static_cast<int>(cx * 100.0 / zoom) - r.largeur / 2;
    const int y = static_cast<int>(cy * 100.0 / zoom) - r.hauteur / 2;
    for (int i = 0; i < std::min(couches, 6); ++i)
        image.affiche(x, y, r.x, r.y, r.largeur, r.hauteur);
    finZoom();
}
}

bool cadreVisibleImage(const CImageGL& image, Rect& r, int* alphaMax)
{
    bool trouve = false;
    int x1 = 0, y1 = 0, plusFort = 0;
    // The picture's textures, column by column: each one's place is the
    // sum of the sizes before it.
    int x0 = 0;
    for (int i = 0; i < image.nbTilesX; ++i) {
        int y0 = 0, largeurColonne = 0;
        for (int j = 0; j < image.nbTilesY; ++j) {
            const SubImage& t = image.tiles[i * image.nbTilesY + j];
            Rect dans;
            int fort = 0;
            if (t.pixels && cadreVisible(t.pixels, t.longueur, t.hauteur, t.texLongueur * 4, 0, dans, &fort)) {
                const int ax = x0 + dans.x, ay = y0 + dans.y;
                const int bx = ax + dans.largeur, by = ay + dans.hauteur;
                if (!trouve) {
                    r.x = ax;
                    r.y = ay;
                    x1 = bx;
                    y1 = by;
                }
                r.x = std::min(r.x, ax);
                r.y = std::min(r.y, ay);
                x1 = std::max(x1, bx);
                y1 = std::max(y1, by);
                plusFort = std::max(plusFort, fort);
                trouve = true;
            }
            y0 += t.hauteur;
            largeurColonne = t.longueur;
        }
        x0 += largeurColonne;
    }
    if (trouve) {
        r.largeur = x1 - r.x;
        r.hauteur = y1 - r.y;
    }
    if (alphaMax)
        *alphaMax = plusFort;
    return trouve;
}

void CVueEditeur::ecrit(int x, int y, const std::string& texte, float taille)
{
    if (!texte_)
        return;
    commenceZoom(static_cast<int>(taille * 100), 0);
    texte_->affiche(static_cast<int>(x / taille), static_cast<int>(y / taille), texte);
    finZoom();
}

void CVueEditeur::dessineStatut(const CModeleNiveau& modele, const EtatEditeur& etat, const Annonces& annonces,
                                Point curseur)
{
    std::string plan = "aucun";
    if (etat.plan < static_cast<int>(modele.plans().size())) {
        const PlanEdite& p = modele.plans()[etat.plan];
        plan = std::to_string(etat.plan + 1) + "/" + std::to_string(modele.plans().size()) + " "
               + nomFichier(p.chemin) + " (priorité " + std::to_string(p.parametres.priorite) + ")";
        if (!p.lisible)
            plan += " illisible";
        else if (!modele.dessineEnJeu(etat.plan))
            plan += ", absent du jeu";
    }
    static const char* const visibilites[] = {"visibles", "estompés", "cachés"};
    std::string ligne1 = "Position " + std::to_string(etat.cadrage.position) + "   Zoom "
                         + std::to_string(etat.cadrage.zoom) + " %   Plan " + plan + "   ("
                         + std::to_string(curseur.x) + ", " + std::to_string(curseur.y) + ")"
                         + (modele.modifie() ? "   *" : "");
    std::string ligne2 = std::string("Outil : ") + (etat.outil == OutilTuiles ? "Tuiles" : "Acteurs")
                         + "   Grille : " + (etat.grille ? "oui" : "non") + "   Ratios : "
                         + (etat.ratio100 ? "tous à 100" : "du niveau") + "   Autres plans : "
                         + visibilites[etat.visibilite]
                         + (etat.selection.empty() ? "" : "   Sélection : " + std::to_string(etat.selection.size()));
    std::string ligne3 = annonces.info.empty()
                             ? "F1 aperçu  F2 palette  Tab plan  A outil  G grille  R ratios  H plans  P panneau  L niveau  T planche"
                             : annonces.info;
    rectanglePlein(0, 0, etat.cadrage.largeur, 3 * LigneStatut + 4, 0, 0, 0, 150);
    ecrit(4, 1, ligne1, TailleStatut);
    ecrit(4, 1 + LigneStatut, ligne2, TailleStatut);
    ecrit(4, 1 + 2 * LigneStatut, ligne3, TailleStatut);
}

void CVueEditeur::dessinePalette(const CModeleNiveau& modele, const EtatEditeur& etat, const COutilsEditeur& outils)
{
    const int haut = etat.hautPalette(), bas = etat.cadrage.hauteur;
    rectanglePlein(0, haut, etat.cadrage.largeur, bas - haut, 0, 0, 0, 170);
    const int n = outils.nbPalette();
    const int premier = outils.premierPalette();
    const int choix = outils.choixPalette();
    // Tiles seen for the first time share one decoding of their sheet.
    CPartageImages partage;
    for (int i = premier; i < n && i < premier + outils.casesPalette(); ++i) {
        int x = (i - premier) * CasePalette;
        int cx = x + CasePalette / 2, cy = haut + 30;
        std::string nom;
        if (etat.outil == OutilActeurs) {
            nom = etat.typesActeurs[i];
            SpriteActeur& s = spriteActeur(nom);
            if (CAnimGL* a = s.sprite ? s.sprite->getAnimationCourante() : nullptr)
                afficheAjuste(*a->getImage(a->getImageCourante()), cx, cy, CasePalette - 12);
        } else {
            const TileEditee& t = modele.plans()[etat.plan].tiles[i];
            if (CImageGL* image = imageTile(t))
                afficheAjuste(*image, cx, cy, CasePalette - 12);
            nom = std::to_string(i + 1);
        }
        ecrit(x + 3, bas - 14, nom.substr(0, 10), 0.55f);
        if (i == choix)
            cadre(x + 1, haut + 1, CasePalette - 2, bas - haut - 2, 255, 220, 40);
    }
    if (n == 0) {
        const char* vide = etat.outil == OutilActeurs ? "Aucun type d'acteur dans data/acteurs"
                           : modele.plans().empty()   ? "Ce niveau n'a aucun plan"
                                                      : "Ce plan n'a aucune tuile (Maj+T : nouvelle tuile)";
        ecrit(8, haut + 24, vide, TailleStatut);
    }
}

void CVueEditeur::dessinePanneau(const CModeleNiveau& modele, const EtatEditeur& etat)
{
    if (etat.plan >= static_cast<int>(modele.plans().size()))
        return;
    const PlanEdite& plan = modele.plans()[etat.plan];
    const ParametresPlanEdites& p = plan.parametres;
    const int haut = HautBoitePanneau;
    const int bas = BasBoitePanneau;
    rectanglePlein(0, haut, LargeurPanneau, bas - haut, 10, 10, 30, 200);
    ecrit(6, haut + 3, "Plan " + std::to_string(etat.plan + 1) + " : " + nomFichier(plan.chemin), TailleStatut);
    const std::string noms[NbLignesPanneau] = {"scrollRatio", "positionEcranX", "positionEcranY",
                                               "repeatX", "repeatY", "priorite", "valeurAlpha"};
    const std::string valeurs[NbLignesPanneau] = {
        std::to_string(p.scrollRatio), std::to_string(p.positionEcranX), std::to_string(p.positionEcranY),
        p.repeatX ? "oui" : "non", p.repeatY ? "oui" : "non", std::to_string(p.priorite),
        p.alpha < 0 ? std::string("mêlé") : std::to_string(p.alpha)};
    for (int i = 0; i < NbLignesPanneau; ++i) {
        int y = HautPanneau + i * LignePanneau;
        if (i == etat.lignePanneau)
            rectanglePlein(2, y, LargeurPanneau - 4, LignePanneau, 80, 80, 160, 200);
        ecrit(8, y + 3, noms[i], TailleStatut);
        ecrit(150, y + 3, valeurs[i], TailleStatut);
    }
    ecrit(6, bas - 19, "Haut/Bas, Gauche/Droite, molette", 0.6f);
    cadre(0, haut, LargeurPanneau, bas - haut, 120, 120, 200);
}

void CVueEditeur::dessinePanneauActeur(const CModeleNiveau& modele, int acteur, int ligne)
{
    const std::vector<ParametreActeur> parametres = modele.parametresActeur(acteur);
    const int haut = HautBoitePanneau;
    const int bas = BasBoitePanneau;
    rectanglePlein(0, haut, LargeurPanneau, bas - haut, 30, 10, 10, 200);
    cadre(0, haut, LargeurPanneau, bas - haut, 200, 140, 120);
    if (parametres.empty()) {
        ecrit(6, haut + 3, "Acteur : choisissez-en un seul", TailleStatut);
        return;
    }
    ecrit(6, haut + 3, "Acteur " + std::to_string(acteur + 1) + " : " + modele.acteurs()[acteur].type, TailleStatut);
    for (int i = 0; i < static_cast<int>(parametres.size()) && i < NbLignesPanneau; ++i) {
        const ParametreActeur& p = parametres[i];
        const int y = HautPanneau + i * LignePanneau;
        if (i == ligne)
            rectanglePlein(2, y, LargeurPanneau - 4, LignePanneau, 160, 80, 80, 200);
        ecrit(8, y + 3, p.cle, TailleStatut);
        // This actor's own value stands out; the type's is said beside it.
        if (p.propre && texte_)
            texte_->setBrightness(255, 220, 90);
        ecrit(124, y + 3, std::to_string(p.valeur), TailleStatut);
        if (texte_)
            texte_->setBrightness(255, 255, 255);
        if (p.propre)
            ecrit(166, y + 4, "(type " + std::to_string(p.valeurType) + ")", 0.55f);
    }
    ecrit(6, bas - 19, "Gauche/Droite : cet acteur seul", 0.6f);
}

void CVueEditeur::dessineMessages(const Annonces& annonces, const Cadrage& ecran)
{
    if (annonces.messages.empty())
        return;
    const float taille = 0.6f;
    const int largeur = ecran.largeur - 20;
    // Long messages go on over several lines: the suggestion at their end
    // is what the author needs most. As many lines as the screen holds.
    const int place = std::max(1, (ecran.hauteur - HauteurPalette - 60 - 8) / 15 - 2);
    std::vector<std::string> lignes;
    size_t montres = 0;
    for (const std::string& m : annonces.messages) {
        std::vector<std::string> l = coupeLignes(m, largeur - 12, [&](const std::string& t) {
            return texte_ ? static_cast<int>(texte_->largeur(t) * taille + 0.5f) : 0;
        });
        if (static_cast<int>(lignes.size() + l.size()) > place)
            break;
        lignes.insert(lignes.end(), l.begin(), l.end());
        ++montres;
    }
    const int n = static_cast<int>(lignes.size()) + (montres < annonces.messages.size() ? 1 : 0);
    const int haut = 60, hauteur = (n + 1) * 15 + 8;
    rectanglePlein(10, haut, largeur, hauteur, 30, 0, 0, 220);
    cadre(10, haut, largeur, hauteur, 255, 120, 120);
    ecrit(16, haut + 4, "Vérification : " + std::to_string(annonces.messages.size()) + " problème(s)", 0.65f);
    for (size_t i = 0; i < lignes.size(); ++i)
        ecrit(16, haut + 4 + static_cast<int>(i + 1) * 15, lignes[i], taille);
    if (montres < annonces.messages.size())
        ecrit(16, haut + 4 + static_cast<int>(lignes.size() + 1) * 15,
              "... et " + std::to_string(annonces.messages.size() - montres) + " autre(s)", taille);
}

void CVueEditeur::dessineQuestion(const std::string& question, const Cadrage& ecran)
{
    int lignes = 1 + static_cast<int>(std::count(question.begin(), question.end(), '\n'));
    int hauteur = lignes * 20 + 24;
    int haut = ecran.hauteur / 2 - hauteur / 2;
    const int gauche = ecran.largeur / 2 - 290;
    rectanglePlein(0, 0, ecran.largeur, ecran.hauteur, 0, 0, 0, 120);
    rectanglePlein(gauche, haut, 580, hauteur, 20, 20, 50, 240);
    cadre(gauche, haut, 580, hauteur, 255, 220, 40);
    size_t debut = 0;
    for (int i = 0; i < lignes; ++i) {
        size_t fin = question.find('\n', debut);
        std::string ligne = question.substr(debut, fin == std::string::npos ? std::string::npos : fin - debut);
        if (texte_) {
            commenceZoom(80, 0);
            texte_->afficheCentre(static_cast<int>(ecran.largeur / 2 / 0.8), static_cast<int>((haut + 12 + i * 20) / 0.8),
                                  ligne);
            finZoom();
        }
        debut = fin == std::string::npos ? question.size() : fin + 1;
    }
}

}
