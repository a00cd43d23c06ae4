#ifndef CORVANTHELIS_GAME_FICHIERSJEU_H
#define CORVANTHELIS_GAME_FICHIERSJEU_H

// The files the game and its secondary modes open by fixed name, relative to
// the working folder. The intro's pictures are listed by fichierImageIntro
// (game/Intro.h), the hero's animation names by animationEtat
// (game/ControleHeros.h). The data checker reads the same names.

namespace fichiersJeu {

const char* const MusiqueIntro = "./data/zic/kvtr_piste_intro.ogg";
const char* const MusiqueNiveau = "./data/zic/kvtr_piste2.ogg";
const char* const Ciel = "./data/levels/level1/fond.jpg";
const char* const Lune = "./data/levels/level1/lune.bmp";
const char* const Niveau = "./data/levels/level1.ini";
const char* const Heros = "./data/sprites/vornaSprite.ini";
const char* const NiveauVisionneuse = "./dataqv/levels/level1.ini";
// Fonts: menus and hints, titles.
const char* const PoliceTexte = "./data/polices/texte.ini";
const char* const PoliceTitre = "./data/polices/titre.ini";

// Game-over frames: DebutGameOver, the number from 1 to NbImagesGameOver,
// FinGameOver.
const int NbImagesGameOver = 95;
const int PauseGameOver = 75; // ms
const char* const DebutGameOver = "./data/cin/gameover/anim_gameover_";
const char* const FinGameOver = ".png";

// The sprite viewer: an animation name in the first 20 bytes, and the
// converted sprite it is taken from.
const char* const InfosVue = "viewinfos.vwe";
const int LongueurNomVue = 20;
const char* const AnimsVue = "viewanims.spr";

}

#endif
