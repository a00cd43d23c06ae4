// The generator's jobs, one per kind of content. Each writes its files with
// paths relative to the current folder (the runtime folder of the game).

#ifndef GENDATA_CONTENU_H
#define GENDATA_CONTENU_H

namespace gendata {

void genereConfiguration();   // config.ini, viewinfos.vwe
void genereNiveau();          // ./data/levels/: sky, moon, planes, level file
void genereNiveauQV();        // ./dataqv/levels/: the viewer's landscape
void genereHeros();           // ./data/sprites/: sheet and description file
void genereIntro();           // ./data/intro/
void genereGameOver();        // ./data/cin/gameover/
void genereMusique();         // ./data/zic/
void genereCreatures();      // ./data/sprites/, ./data/acteurs/, ./data/hud/: creatures, lights, icons
void genereGardiens();       // ./data/sprites/, ./data/acteurs/: toad, boulder, lantern
void genereMarais();          // ./data/levels/marais/ and marais.ini
void genereCol();             // ./data/levels/col/ and col.ini
void genereTitre();           // ./data/titre/titre.png and ./data/parcours.ini
void genereEffets();         // ./data/sons/: sound effects and their list
void generePolices();         // ./data/polices/: font sheets and descriptions
void genereIcone();           // ./icones/<n>x<n>/corvanthelis.png: the desktop icon

}

#endif
