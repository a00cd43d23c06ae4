#include "Contenu.h"
#include "Outils.h"
#include "shell/SchemaConfiguration.h"

#include <cstring>

namespace gendata {

void genereConfiguration() {
    namespace sc = schemaConfiguration;
    // Every key under the line that explains it, at its default but for
    // these: the demo opens a window of the drawing space's size with black
    // bars, so that a first start doesn't grab the screen, and says little.
    const struct { sc::CleVideo cle; long valeur; } demo[] = {
        {sc::ResolutionHorizontale, 0}, {sc::ResolutionVerticale, 0}, {sc::PleinEcran, 0},
        {sc::GarderProportions, 1}, {sc::Journal, 0},
    };
    CFichierProfil f;
    f.section(sc::SectionVideo);
    for (int k = 0; k < sc::NombreClesVideo; ++k) {
        const sc::CleConfiguration& c = sc::TableVideo[k];
        long valeur = c.def.defaut;
        for (const auto& d : demo)
            if (d.cle == k)
                valeur = d.valeur;
        f.commentaire(c.commentaire);
        f.cle(c.def.nom, valeur);
    }
    // The player's controls at their defaults: key names as SDL names them,
    // joystick buttons by number.
    f.ligneVide();
    f.section(sc::SectionControles);
    for (const sc::CleConfiguration& c : sc::TableControles) {
        if (c.commentaire) f.commentaire(c.commentaire);
        if (c.def.type == Texte)
            f.cle(c.def.nom, c.texteDefaut);
        else
            f.cle(c.def.nom, c.def.defaut);
    }
    f.ecrit("config.ini");

    // The sprite viewer reads the first 20 bytes: the animation's name,
    // NUL-terminated within them.
    char nom[20] = {};
    std::strcpy(nom, "Marche");
    ecritOctets("viewinfos.vwe", nom, sizeof nom);
}

}
