#include "game/ApercuActeurs.h"

#include "foundation/FichierDescription.h"
#include "foundation/InputOutput.h"
#include "sprites/CSprite.h"

#include <cstdio>

namespace {

const int TAILLE_NOM = 200;

}

bool nomDeTypeActeurValide(const std::string& t)
{
    if (t.empty())
        return false;
    for (char c : t)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    return true;
}

CApercuActeurs::CApercuActeurs() {}
CApercuActeurs::~CApercuActeurs() {}

CSprite* CApercuActeurs::spriteDe(const std::string& type)
{
    auto deja = sprites_.find(type);
    if (deja != sprites_.end())
        return deja->second.get();
    std::unique_ptr<CSprite>& place = sprites_[type];
    std::string fichier = "./data/acteurs/" + type + ".ini";
    if (tailleDescription(fichier.c_str()) < 0)
        return nullptr; // tailleDescription already said why
    InputOutput io(true);
    char sprite[TAILLE_NOM], repos[TAILLE_NOM];
    if (io.getPrivateProfileString("Acteur", "sprite", "", sprite, sizeof sprite, fichier.c_str(), false) <= 0 ||
        io.getPrivateProfileString("Animations", "repos", "", repos, sizeof repos, fichier.c_str(), false) <= 0) {
        fprintf(stderr, "Type d'acteur incomplet : %s\n", fichier.c_str());
        return nullptr;
    }
    std::unique_ptr<CSprite> s(new CSprite());
    if (s->initFromIniFile(sprite) != 0 || s->getNbAnims() == 0) {
        fprintf(stderr, "Sprite illisible : %s\n", sprite);
        return nullptr;
    }
    s->setAnimationCourante(repos);
    place = std::move(s);
    return place.get();
}

int CApercuActeurs::charge(const char* niveau)
{
    places_.clear();
    InputOutput io(true);
    int n = io.getPrivateProfileInt("Entete", "nombreActeurs", 0, niveau, false);
    for (int i = 1; i <= n && i <= 1000; ++i) {
        std::string section = "Acteur" + std::to_string(i);
        char type[64];
        io.getPrivateProfileString(section.c_str(), "type", "", type, sizeof type, niveau, false);
        if (!nomDeTypeActeurValide(type)) {
            fprintf(stderr, "Type d'acteur invalide dans %s : [%s]\n", niveau, section.c_str());
            continue;
        }
        if (CSprite* s = spriteDe(type))
            places_.push_back({s, io.getPrivateProfileInt(section.c_str(), "positionX", 0, niveau, false),
                               io.getPrivateProfileInt(section.c_str(), "positionY", 0, niveau, false)});
    }
    return nombre();
}

void CApercuActeurs::affiche(int positionNiveau)
{
    // The first frame of the resting animation: a still, never started.
    for (const Place& p : places_) {
        int x = p.x - positionNiveau;
        if (x > 2000 || x < -2000)
            continue;
        if (CAnimGL* a = p.sprite->getAnimationCourante())
            a->afficheImageCourante(x, p.y);
    }
}
