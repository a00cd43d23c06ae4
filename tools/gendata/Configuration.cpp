#include "Contenu.h"
#include "Outils.h"

#include <cstring>

namespace gendata {

void genereConfiguration() {
    // Every VIDEO key, each under a line that explains it. Windowed by
    // default, so that a first start doesn't grab the screen.
    struct Cle { const char* nom; int valeur; const char* explication; };
    const Cle cles[] = {
        {"ResolutionHorizontale", 0, " Largeur en pixels ; 0 : tout l'écran en plein écran, 640 en fenêtre."},
        {"ResolutionVerticale", 0, " Hauteur en pixels ; 0 : tout l'écran en plein écran, 480 en fenêtre."},
        {"PleinEcran", 0, " 1 : plein écran sans curseur ; 0 : fenêtre redimensionnable (conseillé au premier lancement)."},
        {"Bilineaire", 1, " 1 : textures lissées (filtrage bilinéaire) ; 0 : pixels nets."},
        {"VSync", 1, " 1 : synchronisation verticale souhaitée ; 0 : sans."},
        {"Mode16bits", 0, " 1 : couleurs 16 bits et textures réduites (vieilles cartes) ; 0 : 32 bits."},
        {"HogCPU", 0, " 1 : priorité maximale du processus ; 0 : priorité haute ordinaire."},
        {"GarderProportions", 1, " 1 : image en 4:3 centrée, bandes noires autour ; 0 : image étirée sur tout l'écran."},
        {"Journal", 0, " 1 : messages détaillés (clés des tuiles, extensions OpenGL) ; 0 : l'essentiel seulement."},
        {"VolumeMusique", 100, " Volume de la musique, de 0 (muette) à 100."},
        {"VolumeEffets", 100, " Volume des effets sonores, de 0 (muets) à 100."},
        {"Intro", 1, " 1 : l'introduction se joue au lancement ; 0 : le jeu commence aussitôt."},
    };
    CFichierProfil f;
    f.section("VIDEO");
    for (const Cle& c : cles) {
        f.commentaire(c.explication);
        f.cle(c.nom, c.valeur);
    }
    // The player's controls at their defaults: key names as SDL names them,
    // joystick buttons by number.
    struct Controle { const char* nom; const char* valeur; const char* explication; };
    const Controle controles[] = {
        {"Droite", "right", " Touches du joueur, nommées comme SDL les nomme (right, left shift, a, f1, [0]...)."},
        {"Gauche", "left", nullptr},
        {"Saut", "up", nullptr},
        {"Accroupi", "down", nullptr},
        {"Frappe", "space", nullptr},
        {"Pause", "p", nullptr},
        {"ManetteSaut", "0", " Boutons de la première manette (-1 : aucun) ; le stick ou la croix marche et s'accroupit."},
        {"ManetteFrappe", "1", nullptr},
        {"ManettePause", "7", nullptr},
        {"ManetteSeuil", "8000", " Zone morte du stick, de 0 à 32767."},
    };
    f.ligneVide();
    f.section("CONTROLES");
    for (const Controle& c : controles) {
        if (c.explication) f.commentaire(c.explication);
        f.cle(c.nom, c.valeur);
    }
    f.ecrit("config.ini");

    // The sprite viewer reads the first 20 bytes: the animation's name,
    // NUL-terminated within them.
    char nom[20] = {};
    std::strcpy(nom, "Marche");
    ecritOctets("viewinfos.vwe", nom, sizeof nom);
}

}
