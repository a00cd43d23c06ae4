#include "sprites/DescriptionSprite.h"

#include <cstdio>

int LecteurDescriptionSprite::litNbAnims()
{
    int nb = io.getPrivateProfileInt("Entete", "nbAnims", 0, fichier, false);
    if (nb < 0)
        return 0;
    if (nb > NB_ANIMS_MAX) {
        fprintf(stderr, "Trop d'animations (%d, au plus %d) dans le fichier de sprite: %s\n",
                nb, NB_ANIMS_MAX, fichier);
        return -1;
    }
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
    if (f > NB_FRAMES_MAX) {
        fprintf(stderr, "Trop d'images (%d, au plus %d) dans l'animation %d du fichier de sprite: %s\n",
                f, NB_FRAMES_MAX, n, fichier);
        return false;
    }
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
