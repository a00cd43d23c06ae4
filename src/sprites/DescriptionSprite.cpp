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
    int nb;
    litCompteCle(io, "Entete", schemaSprite::NbAnims, fichier, nb, muet);
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
    int f;
    litCompteCle(io, section, schemaSprite::NbFrames, fichier, f, muet);
    litEntierCle(io, section, schemaSprite::ColorkeyR, fichier, animation.colorkeyR, muet);
    litEntierCle(io, section, schemaSprite::ColorkeyG, fichier, animation.colorkeyG, muet);
    litEntierCle(io, section, schemaSprite::ColorkeyB, fichier, animation.colorkeyB, muet);
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
    litTexteCle(io, section, schemaSprite::NomAnim, "nothing", animation.nomAnim, fichier, muet);
    litTexteCle(io, section, schemaSprite::PathPlanche, "nothing", animation.pathPlanche, fichier, muet);
    return true;
}

FrameDecrite LecteurDescriptionSprite::litFrame(int n, int m)
{
    char section[48];
    snprintf(section, sizeof section, "Anim%dFrame%d", n, m);
    FrameDecrite frame;
    frame.rectangle = lisRectanglePlanche(io, section, fichier, muet);
    litEntierCle(io, section, schemaSprite::Pause, fichier, frame.pause, muet);
    return frame;
}

namespace {
const int ABSENT = -schemaSprite::CoteMax - 1;

// A rectangle whose four keys are all given and within range; one given
// out of range is said, and the rectangle dropped.
bool litRectangle(const char* section, const DefCle* const (&cles)[4], const char* fichier, bool muet,
                  RectangleFrame& r)
{
    InputOutput discret(true);
    int* valeurs[4] = {&r.x, &r.y, &r.largeur, &r.hauteur};
    bool bon = true;
    for (int i = 0; i < 4; ++i) {
        DefCle cle = *cles[i];
        cle.defaut = ABSENT;
        int v;
        bool valide = litEntierCle(discret, section, cle, fichier, v, muet);
        bon = bon && valide && v != ABSENT;
        *valeurs[i] = v;
    }
    if (!bon)
        r = RectangleFrame();
    return bon;
}
}

bool LecteurDescriptionSprite::litContact(RectangleFrame& contact)
{
    using namespace schemaSprite;
    static const DefCle* const cles[4] = {&ContactX, &ContactY, &ContactLargeur, &ContactHauteur};
    return litRectangle("Entete", cles, fichier, muet, contact);
}

bool LecteurDescriptionSprite::litFrappe(int n, FrappeDecrite& frappe)
{
    using namespace schemaSprite;
    char section[32];
    snprintf(section, sizeof section, "Anim%d", n);
    frappe = FrappeDecrite();
    static const DefCle* const cles[4] = {&FrappeX, &FrappeY, &FrappeLargeur, &FrappeHauteur};
    // Every key is read, so a bad one is said even when another drops the strike.
    bool rectangle = litRectangle(section, cles, fichier, muet, frappe.rectangle);
    InputOutput discret(true);
    bool debut = litEntierCle(discret, section, FrappeDebut, fichier, frappe.debut, muet);
    bool fin = litEntierCle(discret, section, FrappeFin, fichier, frappe.fin, muet);
    if (!rectangle || !debut || !fin || frappe.fin < frappe.debut) {
        if (rectangle && debut && fin && !muet)
            messageErreur("Frappe sans image dans %s [%s] : frappeFin (%d) avant frappeDebut (%d)\n", fichier,
                          section, frappe.fin, frappe.debut);
        frappe = FrappeDecrite();
        return false;
    }
    return true;
}
