#include "Contenu.h"
#include "Outils.h"

#include <cstring>

namespace gendata {

void genereConfiguration() {
    CFichierProfil f;
    f.section("VIDEO");
    f.commentaire(" Largeur de la fenêtre en pixels (le jeu dessine toujours en 640 x 480 logiques).");
    f.cle("ResolutionHorizontale", 640);
    f.commentaire(" Hauteur de la fenêtre en pixels.");
    f.cle("ResolutionVerticale", 480);
    f.commentaire(" 1 : plein écran sans curseur ; 0 : fenêtre redimensionnable (conseillé au premier lancement).");
    f.cle("PleinEcran", 0);
    f.commentaire(" 1 : textures lissées (filtrage bilinéaire) ; 0 : pixels nets.");
    f.cle("Bilineaire", 1);
    f.commentaire(" 1 : synchronisation verticale souhaitée ; 0 : sans.");
    f.cle("VSync", 1);
    f.commentaire(" 1 : couleurs 16 bits et textures réduites (vieilles cartes) ; 0 : 32 bits.");
    f.cle("Mode16bits", 0);
    f.commentaire(" 1 : priorité maximale du processus ; 0 : priorité haute ordinaire.");
    f.cle("HogCPU", 0);
    f.ecrit("config.ini");

    // The sprite viewer reads the first 20 bytes: the animation's name,
    // NUL-terminated within them.
    char nom[20] = {};
    std::strcpy(nom, "Marche");
    ecritOctets("viewinfos.vwe", nom, sizeof nom);
}

}
