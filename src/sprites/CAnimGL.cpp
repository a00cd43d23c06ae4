#include "sprites/CAnimGL.h"

#include "foundation/Temps.h"

#include <cstring>

CAnimGL::CAnimGL()
    : images(nullptr), nbImages(0), imageCourante(0), vitesse(1.0f),
      tempsChangement(tempsCourant()), enCours(1), repete(true), nbAlloues(0)
{
    nomAnimation[0] = '\0';
}

CAnimGL::~CAnimGL()
{
    delete[] images;
}

void CAnimGL::setNbImages(int n)
{
    nbImages = n;
}

void CAnimGL::alloueImages(int n)
{
    delete[] images;
    images = nullptr;
    nbAlloues = 0;
    if (n > 0) {
        images = new CImageAnim[n];
        nbAlloues = n;
    }
}

int CAnimGL::nbUtilisables() const
{
    int n = nbImages < nbAlloues ? nbImages : nbAlloues;
    return n > 0 ? n : 0;
}

void CAnimGL::setImageCourante(int i)
{
    if (i >= 0 && i < nbImages)
        imageCourante = i;
}

void CAnimGL::setNomAnimation(const char* nom)
{
    strncpy(nomAnimation, nom ? nom : "", sizeof nomAnimation - 1);
    nomAnimation[sizeof nomAnimation - 1] = '\0';
}

void CAnimGL::joueAnim()
{
    enCours = 1;
    imageCourante = 0;
    tempsChangement = tempsCourant();
}

void CAnimGL::pauseAnim()
{
    enCours = 0;
}

void CAnimGL::stoppeAnim()
{
    enCours = 0;
    imageCourante = 0;
}

bool CAnimGL::isAnimFinished() const
{
    return enCours != 1;
}

bool CAnimGL::isImageUniqueEcoulee() const
{
    int n = nbUtilisables();
    if (repete || enCours != 1 || n > 1)
        return false;
    return n == 0 || static_cast<int32_t>(tempsCourant() - tempsChangement) > pauseEchelonnee(0);
}

// The pause taken as unsigned, scaled and truncated toward zero. The product
// is taken in float, the speed's own precision: widened to double, a speed
// of 0.7f is 0.6999999881 and a 10 ms pause would shrink to 6 ms instead of 7.
// Clamped to [0, INT32_MAX] so thresholds only grow.
int32_t CAnimGL::pauseEchelonnee(int i) const
{
    float p = static_cast<float>(images[i].getTempsPause()) * vitesse;
    if (!(p > 0.0f))
        return 0;
    if (p >= 2147483647.0f)
        return INT32_MAX;
    return static_cast<int32_t>(p);
}

void CAnimGL::update()
{
    int n = nbUtilisables();
    if (enCours != 1 || n <= 1)
        return;
    if (imageCourante < 0 || imageCourante >= n)
        imageCourante = 0;

    int64_t ecoule = static_cast<int32_t>(tempsCourant() - tempsChangement);
    int64_t seuil = pauseEchelonnee(imageCourante);
    if (ecoule <= seuil)
        return;

    if (repete) {
        // Whole cycles land back on the same frame: skip them arithmetically
        // so a long absence costs no more than one cycle of steps.
        int64_t cycle = 0;
        for (int i = 0; i < n; ++i)
            cycle += pauseEchelonnee(i);
        if (cycle > 0 && ecoule - seuil > cycle)
            ecoule -= ((ecoule - seuil - 1) / cycle) * cycle;
    }

    // At most one full cycle per call: with every pause 0 the loop would
    // otherwise never end.
    int pas = 0;
    while (ecoule > seuil && pas < n) {
        ++pas;
        ++imageCourante;
        if (imageCourante > n - 1) {
            if (!repete) {
                enCours = 0;
                imageCourante = n - 1;
                return;
            }
            imageCourante = 0;
        }
        seuil += pauseEchelonnee(imageCourante);
    }
    // The time past the frames left is carried into the new frame, so the
    // animation keeps its pace whatever the frame rate.
    int64_t dejaPasse = ecoule - (seuil - pauseEchelonnee(imageCourante));
    tempsChangement = tempsCourant() - static_cast<uint32_t>(dejaPasse > 0 ? dejaPasse : 0);
}

void CAnimGL::afficheImageCourante(int x, int y)
{
    if (imageCourante >= 0 && imageCourante < nbUtilisables())
        images[imageCourante].affiche(x, y);
}

void CAnimGL::afficheImageCourante(int x, int y, int sourceX, int sourceY, int largeur, int hauteur)
{
    if (imageCourante >= 0 && imageCourante < nbUtilisables())
        images[imageCourante].affiche(x, y, sourceX, sourceY, largeur, hauteur);
}

void CAnimGL::affiche(int x, int y)
{
    update();
    afficheImageCourante(x, y);
}

void CAnimGL::setMirrorX(bool m)
{
    for (int i = 0; i < nbAlloues; ++i)
        images[i].setMirrorX(m);
}

void CAnimGL::setMirrorY(bool m)
{
    for (int i = 0; i < nbAlloues; ++i)
        images[i].setMirrorY(m);
}

int CAnimGL::getLongueurImageCourante() const
{
    if (imageCourante < 0 || imageCourante >= nbUtilisables())
        return 0;
    return images[imageCourante].getLongueur();
}

int CAnimGL::getHauteurImageCourante() const
{
    if (imageCourante < 0 || imageCourante >= nbUtilisables())
        return 0;
    return images[imageCourante].getHauteur();
}

int CAnimGL::getMinLongueurImage() const
{
    int n = nbUtilisables();
    if (n == 0)
        return 0;
    int min = images[0].getLongueur();
    for (int i = 1; i < n; ++i)
        if (images[i].getLongueur() < min)
            min = images[i].getLongueur();
    return min;
}
