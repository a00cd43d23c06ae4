// spritedata: writes the binary sprite data file that "convert" reads, from a
// sprite description file (the .ini the game loads), with the same sheets and
// the same frame rectangles.
//
//   spritedata <description.ini> <sortie.dat> [nom du sprite]
//
// The description is read by the game's own reader (same buffers, same 16-bit
// storage), so the converted frames match what the game shows. The sprite name
// defaults to the description file's name without folder and extension. The
// spare bytes of each frame record start with our mark ("CVTS", version), so
// that the converter knows they are ours, then the frame's pause (ms) and,
// when the animation has a colour key, its red, green and blue bytes with a
// 1 after them; the rest is zero. Nothing is written unless the whole
// description fits the format.

#include "foundation/FichierOrdinaire.h"
#include "sprites/DescriptionSprite.h"
#include "sprites/FormatSprite.h"

#include <cstdint>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const size_t TAILLE_NOM_SPRITE = 24;
// Names hold at most 19 characters in both files, whatever their field size.
const size_t LONGUEUR_NOM_MAX = 19;
const size_t TAILLE_NOM_ANIM = 20;
const size_t TAILLE_PLANCHE = 52;

void ajoute32(std::vector<unsigned char>& donnees, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        donnees.push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xFF));
}

// A zero-padded text field; the text is cut so its NUL always fits.
void ajouteTexte(std::vector<unsigned char>& donnees, const std::string& texte, size_t taille,
                 size_t longueurMax = SIZE_MAX)
{
    size_t n = texte.size() < taille - 1 ? texte.size() : taille - 1;
    if (n > longueurMax)
        n = longueurMax;
    for (size_t i = 0; i < taille; ++i)
        donnees.push_back(i < n ? static_cast<unsigned char>(texte[i]) : 0);
}

std::string nomParDefaut(const std::string& chemin)
{
    size_t barre = chemin.find_last_of('/');
    std::string nom = barre == std::string::npos ? chemin : chemin.substr(barre + 1);
    size_t point = nom.find_last_of('.');
    if (point != std::string::npos && point > 0)
        nom = nom.substr(0, point);
    return nom;
}

// Fills `donnees` with the whole file; false (after a message) when the
// description does not fit the format.
bool construit(const char* description, const std::string& nomSprite,
               std::vector<unsigned char>& donnees)
{
    LecteurDescriptionSprite lecteur(description);
    int nbAnims = lecteur.litNbAnims();
    if (nbAnims < 0)
        return false;
    ajouteTexte(donnees, nomSprite, TAILLE_NOM_SPRITE, LONGUEUR_NOM_MAX);
    ajoute32(donnees, static_cast<uint32_t>(nbAnims));

    for (int n = 1; n <= nbAnims; ++n) {
        AnimationDecrite animation;
        if (!lecteur.litAnimation(n, animation))
            return false;
        if (strlen(animation.pathPlanche) > TAILLE_PLANCHE - 1) {
            fprintf(stderr, "Chemin de planche trop long (au plus %zu caractères) dans l'animation %d: %s\n",
                    TAILLE_PLANCHE - 1, n, animation.pathPlanche);
            return false;
        }
        ajouteTexte(donnees, animation.nomAnim, TAILLE_NOM_ANIM);
        ajoute32(donnees, static_cast<uint32_t>(animation.nbFrames));
        ajouteTexte(donnees, animation.pathPlanche, TAILLE_PLANCHE);

        for (int m = 1; m <= animation.nbFrames; ++m) {
            FrameDecrite frame = lecteur.litFrame(n, m);
            const RectanglePlanche& r = frame.rectangle;
            size_t debut = donnees.size();
            ajoute32(donnees, static_cast<uint32_t>(static_cast<int32_t>(r.positionX)));
            ajoute32(donnees, static_cast<uint32_t>(static_cast<int32_t>(r.positionY)));
            ajoute32(donnees, r.hauteur);  // height before width in this format
            ajoute32(donnees, r.longueur);
            donnees.resize(debut + formatsprite::SRC_FRAME, 0);
            unsigned char* enregistrement = &donnees[debut];
            formatsprite::ecritMarque(enregistrement + formatsprite::SRC_TAG, formatsprite::TAG_SOURCE);
            formatsprite::ecrit32(enregistrement + formatsprite::SRC_PAUSE, static_cast<uint32_t>(frame.pause));
            if (animation.colorkeyR != -1) {
                // Kept in bytes as the picture loader takes them.
                unsigned char* cle = enregistrement + formatsprite::SRC_CLE;
                cle[0] = static_cast<unsigned char>(animation.colorkeyR);
                cle[1] = static_cast<unsigned char>(animation.colorkeyG);
                cle[2] = static_cast<unsigned char>(animation.colorkeyB);
                cle[3] = 1;
            }
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        fprintf(stderr, "Usage : spritedata <fichier de description> <fichier de données> [nom du sprite]\n");
        return 1;
    }
    const char* description = argv[1];
    const char* sortie = argv[2];

    // The profile reader treats a missing file as all defaults; here that
    // would silently write an empty sprite.
    FILE* test = ouvreFichierOrdinaire(description, "rb");
    if (!test) {
        fprintf(stderr, "Impossible d'ouvrir le fichier de description: %s\n", description);
        return 1;
    }
    fclose(test);

    std::string nomSprite = argc == 4 ? argv[3] : nomParDefaut(description);
    std::vector<unsigned char> donnees;
    if (!construit(description, nomSprite, donnees))
        return 1;

    FILE* f = fopen(sortie, "wb");
    if (!f) {
        fprintf(stderr, "Impossible d'ouvrir le fichier de données\n");
        return 1;
    }
    bool ok = fwrite(donnees.data(), 1, donnees.size(), f) == donnees.size();
    ok = (fclose(f) == 0) && ok;
    if (!ok) {
        fprintf(stderr, "Impossible d'écrire\n");
        return 1;
    }
    printf("Fichier de données écrit: %s\n", sortie);
    return 0;
}
