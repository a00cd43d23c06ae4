// The editor's overlays, in the 640 x 480 drawing space: status lines,
// palette, plane panel, the checker's messages and the questions.
#include "editeur/VueEditeur.h"

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

// A picture of l x h fitted into a cote x cote square centred on (cx, cy);
// never enlarged.
void afficheAjuste(CImageGL& image, int cx, int cy, int cote)
{
    int l = image.getLongueur(), h = image.getHauteur();
    if (l <= 0 || h <= 0)
        return;
    int zoom = std::min(100, std::min(cote * 100 / l, cote * 100 / h));
    image.setZoom(std::max(1, zoom));
    image.setAlphaBlending(255);
    image.affiche(cx - l / 2, cy - h / 2);
    image.setZoom(100);
}
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
                             ? "F1 aperçu  Tab plan  A outil  G grille  R ratios  H plans  P panneau  T planche"
                             : annonces.info;
    rectanglePlein(0, 0, 640, 3 * LigneStatut + 4, 0, 0, 0, 150);
    ecrit(4, 1, ligne1, TailleStatut);
    ecrit(4, 1 + LigneStatut, ligne2, TailleStatut);
    ecrit(4, 1 + 2 * LigneStatut, ligne3, TailleStatut);
}

void CVueEditeur::dessinePalette(const CModeleNiveau& modele, const EtatEditeur& etat, const COutilsEditeur& outils)
{
    rectanglePlein(0, HautPalette, 640, 480 - HautPalette, 0, 0, 0, 170);
    const int n = outils.nbPalette();
    const int premier = outils.premierPalette();
    const int choix = outils.choixPalette();
    // Tiles seen for the first time share one decoding of their sheet.
    CPartageImages partage;
    for (int i = premier; i < n && i < premier + COutilsEditeur::casesPalette(); ++i) {
        int x = (i - premier) * CasePalette;
        int cx = x + CasePalette / 2, cy = HautPalette + 30;
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
        ecrit(x + 3, 480 - 14, nom.substr(0, 10), 0.55f);
        if (i == choix)
            cadre(x + 1, HautPalette + 1, CasePalette - 2, 480 - HautPalette - 2, 255, 220, 40);
    }
    if (n == 0) {
        const char* vide = etat.outil == OutilActeurs ? "Aucun type d'acteur dans data/acteurs"
                           : modele.plans().empty()   ? "Ce niveau n'a aucun plan"
                                                      : "Ce plan n'a aucune tuile (Maj+T : nouvelle tuile)";
        ecrit(8, HautPalette + 24, vide, TailleStatut);
    }
}

void CVueEditeur::dessinePanneau(const CModeleNiveau& modele, const EtatEditeur& etat)
{
    if (etat.plan >= static_cast<int>(modele.plans().size()))
        return;
    const PlanEdite& plan = modele.plans()[etat.plan];
    const ParametresPlanEdites& p = plan.parametres;
    const int haut = HautPanneau - 24;
    const int bas = HautPanneau + NbLignesPanneau * LignePanneau + 22;
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
    const int haut = HautPanneau - 24;
    const int bas = HautPanneau + NbLignesPanneau * LignePanneau + 22;
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

void CVueEditeur::dessineMessages(const Annonces& annonces)
{
    if (annonces.messages.empty())
        return;
    const int lignes = std::min<int>(static_cast<int>(annonces.messages.size()), 14);
    const int haut = 60, hauteur = (lignes + 2) * 15 + 8;
    rectanglePlein(10, haut, 620, hauteur, 30, 0, 0, 220);
    cadre(10, haut, 620, hauteur, 255, 120, 120);
    ecrit(16, haut + 4, "Vérification : " + std::to_string(annonces.messages.size()) + " problème(s)", 0.65f);
    for (int i = 0; i < lignes; ++i)
        ecrit(16, haut + 4 + (i + 1) * 15, annonces.messages[i], 0.6f);
    if (static_cast<int>(annonces.messages.size()) > lignes)
        ecrit(16, haut + 4 + (lignes + 1) * 15, "...", 0.6f);
}

void CVueEditeur::dessineQuestion(const std::string& question)
{
    int lignes = 1 + static_cast<int>(std::count(question.begin(), question.end(), '\n'));
    int hauteur = lignes * 20 + 24;
    int haut = 240 - hauteur / 2;
    rectanglePlein(0, 0, 640, 480, 0, 0, 0, 120);
    rectanglePlein(30, haut, 580, hauteur, 20, 20, 50, 240);
    cadre(30, haut, 580, hauteur, 255, 220, 40);
    size_t debut = 0;
    for (int i = 0; i < lignes; ++i) {
        size_t fin = question.find('\n', debut);
        std::string ligne = question.substr(debut, fin == std::string::npos ? std::string::npos : fin - debut);
        if (texte_) {
            commenceZoom(80, 0);
            texte_->afficheCentre(static_cast<int>(320 / 0.8), static_cast<int>((haut + 12 + i * 20) / 0.8), ligne);
            finZoom();
        }
        debut = fin == std::string::npos ? question.size() : fin + 1;
    }
}

}
