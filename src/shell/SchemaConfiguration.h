#ifndef CORVANTHELIS_SHELL_SCHEMACONFIGURATION_H
#define CORVANTHELIS_SHELL_SCHEMACONFIGURATION_H

// Every key of config.ini, once: the [VIDEO] settings (read by CEngineGL,
// written by the pause menu's options) and the player's [CONTROLES] (read
// and written by game/Controles). Each key has its name, type, default,
// range, reader buffer and the French line the demo's config.ini writes
// above it. The readers, the options screen, the data checker and the
// content generator all take names, defaults and limits from here.
//
// Header only: the content generator uses it without linking the engine.

#include "foundation/DocumentProfil.h"
#include "foundation/Schema.h"

#include <vector>

namespace schemaConfiguration {

const char* const Fichier = "config.ini";
const char* const SectionVideo = "VIDEO";
const char* const SectionControles = "CONTROLES";

// Joystick buttons a control can name: 0 to BoutonsManette - 1 (-1: none).
const int BoutonsManette = 32;
const int AxeManetteMax = 32767;

struct CleConfiguration {
    DefCle def;
    const char* texteDefaut; // a Texte key's default, as written in the file
    const char* commentaire; // the demo's explanation above the key, or nullptr
};

// In the order the reader looks them up, which is the order of its notices.
enum CleVideo {
    ResolutionHorizontale,
    ResolutionVerticale,
    PleinEcran,
    Bilineaire,
    VSync,
    Mode16bits,
    HogCPU,
    GarderProportions,
    Journal,
    VolumeMusique,
    VolumeEffets,
    Intro,
    NombreClesVideo
};

// The seven keys every config.ini has print the profile reader's notice when
// missing; the ones added since are optional. A size of 0 means the desktop's
// in full screen and the drawing space's in a window.
inline constexpr CleConfiguration TableVideo[NombreClesVideo] = {
    {{"ResolutionHorizontale", Entier, 640, 0, 16384, TAILLE_LIGNE_ENTIER}, nullptr,
     " Largeur en pixels ; 0 : tout l'écran en plein écran, 640 en fenêtre."},
    {{"ResolutionVerticale", Entier, 480, 0, 16384, TAILLE_LIGNE_ENTIER}, nullptr,
     " Hauteur en pixels ; 0 : tout l'écran en plein écran, 480 en fenêtre."},
    {{"PleinEcran", Booleen, 1, 0, 1, TAILLE_LIGNE_ENTIER}, nullptr,
     " 1 : plein écran sans curseur ; 0 : fenêtre redimensionnable (conseillé au premier lancement)."},
    {{"Bilineaire", Booleen, 1, 0, 1, TAILLE_LIGNE_ENTIER}, nullptr,
     " 1 : textures lissées (filtrage bilinéaire) ; 0 : pixels nets."},
    {{"VSync", Booleen, 1, 0, 1, TAILLE_LIGNE_ENTIER}, nullptr,
     " 1 : synchronisation verticale souhaitée ; 0 : sans."},
    {{"Mode16bits", Booleen, 0, 0, 1, TAILLE_LIGNE_ENTIER}, nullptr,
     " 1 : couleurs 16 bits et textures réduites (vieilles cartes) ; 0 : 32 bits."},
    {{"HogCPU", Booleen, 0, 0, 1, TAILLE_LIGNE_ENTIER}, nullptr,
     " 1 : priorité maximale du processus ; 0 : priorité haute ordinaire."},
    {{"GarderProportions", Booleen, 0, 0, 1, TAILLE_LIGNE_ENTIER, true}, nullptr,
     " 1 : image en 4:3 centrée, bandes noires autour ; 0 : image étirée sur tout l'écran."},
    {{"Journal", Booleen, 1, 0, 1, TAILLE_LIGNE_ENTIER, true}, nullptr,
     " 1 : messages détaillés (clés des tuiles, extensions OpenGL) ; 0 : l'essentiel seulement."},
    {{"VolumeMusique", Entier, 100, 0, 100, TAILLE_LIGNE_ENTIER, true}, nullptr,
     " Volume de la musique, de 0 (muette) à 100."},
    {{"VolumeEffets", Entier, 100, 0, 100, TAILLE_LIGNE_ENTIER, true}, nullptr,
     " Volume des effets sonores, de 0 (muets) à 100."},
    {{"Intro", Booleen, 1, 0, 1, TAILLE_LIGNE_ENTIER, true}, nullptr,
     " 1 : l'introduction se joue au lancement ; 0 : le jeu commence aussitôt."},
};

// The six keys come first, in the order of the player's actions
// (game/Controles.h); the joystick's keys follow. All are optional, and read
// whole lines (CDocumentProfil).
enum CleControle {
    Droite,
    Gauche,
    Saut,
    Accroupi,
    Frappe,
    Pause,
    ManetteSaut,
    ManetteFrappe,
    ManettePause,
    ManetteSeuil,
    NombreClesControles
};

const int TailleLigneControles = CDocumentProfil::TAILLE_LIGNE;
inline constexpr CleConfiguration TableControles[NombreClesControles] = {
    {{"Droite", Texte, 0, 0, 0, TailleLigneControles, true}, "right",
     " Touches du joueur, nommées comme SDL les nomme (right, left shift, a, f1, [0]...)."},
    {{"Gauche", Texte, 0, 0, 0, TailleLigneControles, true}, "left", nullptr},
    {{"Saut", Texte, 0, 0, 0, TailleLigneControles, true}, "up", nullptr},
    {{"Accroupi", Texte, 0, 0, 0, TailleLigneControles, true}, "down", nullptr},
    {{"Frappe", Texte, 0, 0, 0, TailleLigneControles, true}, "space", nullptr},
    {{"Pause", Texte, 0, 0, 0, TailleLigneControles, true}, "p", nullptr},
    {{"ManetteSaut", Entier, 0, -1, BoutonsManette - 1, TailleLigneControles, true}, nullptr,
     " Boutons de la première manette (-1 : aucun) ; le stick ou la croix marche et s'accroupit."},
    {{"ManetteFrappe", Entier, 1, -1, BoutonsManette - 1, TailleLigneControles, true}, nullptr, nullptr},
    {{"ManettePause", Entier, 7, -1, BoutonsManette - 1, TailleLigneControles, true}, nullptr, nullptr},
    {{"ManetteSeuil", Entier, 8000, 0, AxeManetteMax, TailleLigneControles, true}, nullptr,
     " Zone morte du stick, de 0 à 32767."},
};

constexpr const DefCle& cleVideo(CleVideo cle)
{
    return TableVideo[cle].def;
}

constexpr const DefCle& cleControle(CleControle cle)
{
    return TableControles[cle].def;
}

// A table's keys alone, as the data checker takes them.
template <int N>
std::vector<DefCle> definitions(const CleConfiguration (&table)[N])
{
    std::vector<DefCle> cles;
    for (const CleConfiguration& c : table)
        cles.push_back(c.def);
    return cles;
}

} // namespace schemaConfiguration

#endif
