#include "game/Acteurs.h"

#include "foundation/Temps.h"

#include <algorithm>
#include <cmath>

namespace {

const float PI = 3.14159265f;
// How fast a toad struck in mid-leap drops back to the ground, px per second.
const float CHUTE = 600.0f;

float signe(float v)
{
    return v < 0 ? -1.0f : 1.0f;
}

float absolu(float v)
{
    return v < 0 ? -v : v;
}

// Moves (x, y) towards (cx, cy) by at most `pas`; true once there.
bool rejoint(float& x, float& y, float cx, float cy, float pas)
{
    float dx = cx - x;
    float dy = cy - y;
    float d = std::sqrt(dx * dx + dy * dy);
    if (d <= pas) {
        x = cx;
        y = cy;
        return true;
    }
    x += dx / d * pas;
    y += dy / d * pas;
    return false;
}

}

struct CActeurs::Situation {
    const TypeActeur& t;
    const ParamsComportement& p;
    uint32_t dansEtat;
    bool reculFini;
    float alerte;
    // From the actor's centre to the hero's.
    float dx;
    float dy;
    float bob;
};

void CActeurs::comporte(CActeur& a, const HerosMonde& heros, float dt)
{
    const TypeActeur& t = types[a.type];
    const ParamsComportement& p = a.params;
    const uint32_t maintenant = tempsCourant();
    const uint32_t dansEtat = maintenant - a.debutEtat;
    // Each actor bobs in its own phase, so a row of lights does not move as one.
    const float phase = 2 * PI * static_cast<float>((maintenant + static_cast<uint32_t>(a.departX) * 7u)
                                                      % static_cast<uint32_t>(p.periode))
        / static_cast<float>(p.periode);
    const Situation s{t,
                      p,
                      dansEtat,
                      dansEtat >= static_cast<uint32_t>(p.recul),
                      static_cast<float>(p.distanceAlerte),
                      heros.contact.x + heros.contact.largeur / 2.0f - (a.x + t.largeur / 2.0f),
                      heros.contact.y + heros.contact.hauteur / 2.0f - (a.y + t.hauteur / 2.0f),
                      p.amplitude * std::sin(phase)};

    switch (t.comportement) {
    case FeuFollet:
        comporteFeuFollet(a, s, dt);
        break;
    case Loup:
        comporteLoup(a, s, dt);
        break;
    case ChauveSouris:
        comporteChauveSouris(a, s, dt);
        break;
    case Crapaud:
        comporteCrapaud(a, s, dt);
        break;
    case Rocher:
        comporteRocher(a, s, dt);
        break;
    case Lueur:
        a.y = a.departY + s.bob;
        break;
    default:
        if (a.etat == Recul && s.reculFini)
            changeEtat(a, Errance, AnimRepos);
        break;
    }
}

void CActeurs::comporteFeuFollet(CActeur& a, const Situation& s, float dt)
{
    const ParamsComportement& p = s.p;
    const float dx = s.dx, dy = s.dy, alerte = s.alerte, bob = s.bob;
    a.sens = static_cast<int>(signe(dx));
    if (a.etat == Recul) {
        // Drifts away from the hero it touched.
        a.x -= signe(dx) * p.vitesse * dt;
        a.y = a.attaqueY + bob;
        if (s.reculFini)
            changeEtat(a, Errance, AnimRepos);
    } else if (absolu(dx) < alerte && absolu(dy) < alerte) {
        if (a.etat != Attaque)
            changeEtat(a, Attaque, AnimAttaque);
        float cx = a.x + dx, cy = a.y + dy;
        rejoint(a.x, a.y, cx, cy, p.vitesseAttaque * dt);
        a.attaqueY = a.y - bob;
    } else {
        if (a.etat != Errance)
            changeEtat(a, Errance, AnimRepos);
        if (absolu(dx) < 3 * alerte)
            a.x += signe(dx) * p.vitesse * dt;
        a.y = a.attaqueY + bob;
    }
}

void CActeurs::comporteLoup(CActeur& a, const Situation& s, float dt)
{
    const ParamsComportement& p = s.p;
    const float dx = s.dx, alerte = s.alerte;
    const bool devant = absolu(dx) < alerte && signe(dx) == a.sens;
    if (a.etat == Errance && devant) {
        changeEtat(a, Attaque, AnimAttaque);
    } else if (a.etat == Errance) {
        a.x += a.sens * p.vitesse * dt;
        if (a.x > a.departX + p.patrouille) {
            a.x = static_cast<float>(a.departX + p.patrouille);
            a.sens = -1;
        } else if (a.x < a.departX - p.patrouille) {
            a.x = static_cast<float>(a.departX - p.patrouille);
            a.sens = 1;
        }
    } else if (a.etat == Attaque) {
        const float limite = a.departX + a.sens * 1.5f * alerte;
        a.x += a.sens * p.vitesseAttaque * dt;
        // It runs on past the hero by its own length, or to its limit.
        bool auBout = a.sens > 0 ? a.x >= limite : a.x <= limite;
        if (auBout)
            a.x = limite;
        if (auBout || -a.sens * dx > s.t.largeur)
            changeEtat(a, Recul, AnimRepos);
    } else if (a.etat == Recul) {
        if (s.reculFini) {
            a.sens = static_cast<int>(signe(a.departX - a.x));
            changeEtat(a, Retour, AnimMarche);
        }
    } else if (a.etat == Retour) {
        a.sens = static_cast<int>(signe(a.departX - a.x));
        a.x += a.sens * p.vitesse * dt;
        if (absolu(a.x - a.departX) <= p.patrouille)
            changeEtat(a, Errance, AnimMarche);
    }
}

void CActeurs::comporteChauveSouris(CActeur& a, const Situation& s, float dt)
{
    const ParamsComportement& p = s.p;
    if (a.etat == Errance) {
        if (absolu(s.dx) < s.alerte) {
            a.sens = static_cast<int>(signe(s.dx));
            a.attaqueX = a.x;
            a.attaqueY = a.y;
            a.longueur = 2 * absolu(s.dx) + s.t.largeur;
            a.fond = a.y + s.dy;
            changeEtat(a, Attaque, AnimAttaque);
        }
    } else if (a.etat == Attaque) {
        // Down to the hero's height half way, up again by the end.
        float parcours = p.vitesseAttaque * s.dansEtat / 1000.0f;
        float u = a.longueur > 0 ? parcours / a.longueur : 1.0f;
        if (u >= 1) {
            u = 1;
            changeEtat(a, Retour, AnimMarche);
        }
        a.x = a.attaqueX + a.sens * u * a.longueur;
        a.y = a.attaqueY + (a.fond - a.attaqueY) * std::sin(PI * u);
    } else if (a.etat == Retour) {
        a.sens = static_cast<int>(signe(a.departX - a.x));
        if (rejoint(a.x, a.y, static_cast<float>(a.departX), static_cast<float>(a.departY), p.vitesse * dt))
            changeEtat(a, Recul, AnimRepos);
    } else if (a.etat == Recul && s.reculFini) {
        bool auPerchoir = a.x == a.departX && a.y == a.departY;
        changeEtat(a, auPerchoir ? Errance : Retour, auPerchoir ? AnimRepos : AnimMarche);
    }
}

void CActeurs::comporteCrapaud(CActeur& a, const Situation& s, float dt)
{
    const ParamsComportement& p = s.p;
    if (a.etat == Attaque) {
        // An arc `amplitude` high over `periode` ms, timed from its start so
        // that every leap lands where it should whatever the frame rate.
        uint32_t duree = static_cast<uint32_t>(p.periode);
        uint32_t ecoule = s.dansEtat < duree ? s.dansEtat : duree;
        float u = static_cast<float>(ecoule) / static_cast<float>(duree);
        a.x = a.attaqueX + a.sens * p.vitesseAttaque * (ecoule / 1000.0f);
        a.y = a.attaqueY - p.amplitude * std::sin(PI * u);
        if (ecoule == duree) {
            a.y = a.attaqueY;
            changeEtat(a, Recul, AnimRepos);
        }
        return;
    }
    if (a.y < a.departY)
        a.y = std::min(static_cast<float>(a.departY), a.y + CHUTE * dt);
    if (a.etat == Recul) {
        if (!s.reculFini)
            return;
        changeEtat(a, Errance, AnimRepos);
    }
    if (a.etat != Errance)
        return;
    // Hidden, it watches the hero; it leaps only from the ground.
    a.sens = static_cast<int>(signe(s.dx));
    if (absolu(s.dx) < s.alerte && a.y >= a.departY) {
        a.attaqueX = a.x;
        a.attaqueY = a.y;
        changeEtat(a, Attaque, AnimAttaque);
    }
}

void CActeurs::comporteRocher(CActeur& a, const Situation& s, float dt)
{
    if (a.etat == Errance && absolu(s.dx) < s.alerte) {
        a.sens = static_cast<int>(signe(s.dx));
        changeEtat(a, Attaque, AnimAttaque);
    } else if (a.etat == Attaque) {
        a.x += a.sens * s.p.vitesseAttaque * dt;
    }
}
