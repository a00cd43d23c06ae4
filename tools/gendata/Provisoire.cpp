#include "Contenu.h"
namespace gendata {
void genereNiveauQV() {}
void genereIntro() {}
void genereGameOver() {}
void genereMusique() {}
}
