#ifndef CORVANTHELIS_FOUNDATION_FICHIERDESCRIPTION_H
#define CORVANTHELIS_FOUNDATION_FICHIERDESCRIPTION_H

// Description files (level, plane, sprite) as their loaders first meet them.

// Size in bytes of the description file, or -1 when it cannot be opened;
// then "Fichier introuvable : <chemin>" is printed on standard error.
long tailleDescription(const char* fichier);

#endif
