#include "sprites/DescriptionSprite.h"

#include "foundation/FichierDescription.h"
#include "foundation/Messages.h"

#include <cstdio>

namespace {
long plusPetit(long a, long b) { return a < b ? a : b; }
}

LecteurDescriptionSprite::LecteurDescriptionSprite(const char* fichier, bool muet)
    : io(muet), fichier(fichier), muet(muet), elementsRestants(maxElements(tailleFichier(fichier)))
{
}

int LecteurDescriptionSprite::litNbAnims()
{
    int nb = io.getPrivateProfileInt("Entete", "nbAnims", 0, fichier, false);
    if (nb < 0)
        return 0;
    long maximum = plusPetit(NB_ANIMS_MAX, elementsRestants);
    if (nb > maximum) {
        if (!muet)
            messageErreur("Trop d'animations (%d, au plus %ld) dans le fichier de sprite: %s\n",
                nb, maximum, fichier);
        return -1;
    }
    elementsRestants -= nb;
    return nb;
}

bool LecteurDescriptionSprite::litAnimation(int n, AnimationDecrite& animation)
{
    char section[32];
    snprintf(section, sizeof section, "Anim%d", n);
    int f = io.getPrivateProfileInt(section, "nbFrames", 0, fichier, false);
    animation.colorkeyR = io.getPrivateProfileInt(section, "colorkeyR", -1, fichier, false);
    animation.colorkeyG = io.getPrivateProfileInt(section, "colorkeyG", 0, fichier, false);
    animation.colorkeyB = io.getPrivateProfileInt(section, "colorkeyB", 0, fichier, false);
    animation.nbFrames = f < 0 ? 0 : f;
    animation.nomAnim[0] = '\0';
    animation.pathPlanche[0] = '\0';
    long maximum = plusPetit(NB_FRAMES_MAX, elementsRestants);
    if (f > maximum) {
        if (!muet)
            messageErreur("Trop d'images (%d, au plus %ld) dans l'animation %d du fichier de sprite: %s\n",
                f, maximum, n, fichier);
        return false;
    }
    if (f > 0)
        elementsRestants -= f;
    io.getPrivateProfileString(section, "nomAnim", "nothing", animation.nomAnim,
                               sizeof animation.nomAnim, fichier, false);
    io.getPrivateProfileString(section, "pathPlanche", "nothing", animation.pathPlanche,
                               sizeof animation.pathPlanche, fichier, false);
    return true;
}

FrameDecrite LecteurDescriptionSprite::litFrame(int n, int m)
{
    char section[48];
    snprintf(section, sizeof section, "Anim%dFrame%d", n, m);
    FrameDecrite frame;
    frame.rectangle = lisRectanglePlanche(io, section, fichier);
    frame.pause = io.getPrivateProfileInt(section, "pause", 0, fichier, false);
    return frame;
}

namespace {
// Sizes and offsets beyond this are not a sprite's.
const int COTE_MAX = 16384;

bool litRectangle(const char* section, const char* prefixe, const char* fichier, RectangleFrame& r)
{
    InputOutput discret(true);
    const char* noms[4] = {"X", "Y", "Largeur", "Hauteur"};
    int* valeurs[4] = {&r.x, &r.y, &r.largeur, &r.hauteur};
    for (int i = 0; i < 4; ++i) {
        char cle[32];
        snprintf(cle, sizeof cle, "%s%s", prefixe, noms[i]);
        *valeurs[i] = discret.getPrivateProfileInt(section, cle, -COTE_MAX - 1, fichier, false);
        if (*valeurs[i] < -COTE_MAX || *valeurs[i] > COTE_MAX) {
            r = RectangleFrame();
            return false;
        }
    }
    if (r.largeur <= 0 || r.hauteur <= 0) {
        r = RectangleFrame();
        return false;
    }
    return true;
}
}

bool LecteurDescriptionSprite::litContact(RectangleFrame& contact)
{
    return litRectangle("Entete", "contact", fichier, contact);
}

bool LecteurDescriptionSprite::litFrappe(int n, FrappeDecrite& frappe)
{
    char section[32];
    snprintf(section, sizeof section, "Anim%d", n);
    frappe = FrappeDecrite();
    if (!litRectangle(section, "frappe", fichier, frappe.rectangle))
        return false;
    InputOutput discret(true);
    frappe.debut = discret.getPrivateProfileInt(section, "frappeDebut", 1, fichier, false);
    frappe.fin = discret.getPrivateProfileInt(section, "frappeFin", NB_FRAMES_MAX, fichier, false);
    if (frappe.debut < 1 || frappe.fin < frappe.debut) {
        frappe = FrappeDecrite();
        return false;
    }
    return true;
}
