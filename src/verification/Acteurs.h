#ifndef CORVANTHELIS_VERIFICATION_ACTEURS_H
#define CORVANTHELIS_VERIFICATION_ACTEURS_H

// Checks shared by the sprite and actor checks: the body (contact) and hit
// (frappe) rectangles must lie inside the frames they belong to.

#include "verification/Description.h"
#include "verification/Verificateur.h"
#include "scenery/DescriptionNiveau.h"

// The effects list the game reads.
extern const char* const FICHIER_EFFETS;

// contactX/Y/Largeur/Hauteur of `v`, when given, inside `cadre` (the frame
// of animation `anim`).
void verifieContact(CRapport& rapport, const std::string& chemin, const std::string& section, ValeursSection& v,
                    const std::string& anim, const CVerificateur::Taille& cadre);
// frappeX/.../frappeDebut/frappeFin of an animation section, when given.
void verifieFrappe(CRapport& rapport, const std::string& chemin, const std::string& section, ValeursSection& v,
                   const CVerificateur::AnimLue& anim);

#endif
