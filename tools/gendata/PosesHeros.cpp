// Key poses of the hero's eight animations.

#include "Heros.h"

#include <cmath>

namespace gendata {

namespace {

Pose debout(float phase) {
    Pose p;
    p.buste = 3 + std::sin(phase) * 1.2f;
    p.tete = -2;
    p.cuisse[0] = -6; p.tibia[0] = -8; p.cuisse[1] = 8; p.tibia[1] = 2;
    p.bras[0] = -8 + std::sin(phase) * 2; p.avantBras[0] = 10;
    p.bras[1] = 12 + std::sin(phase) * 2; p.avantBras[1] = 40;
    p.epee = 150;
    p.echarpePhase = phase;
    return p;
}

Animation animRepos() {
    Animation repos{"Repos", 286, {}, {}};
    for (int i = 0; i < 6; ++i) {
        repos.poses.push_back(debout(i * 2 * float(M_PI) / 6));
        repos.pauses.push_back(170);
    }
    return repos;
}

Animation animMarche() {
    Animation marche{"Marche", 286, {}, {}};
    for (int i = 0; i < 8; ++i) {
        float ph = i * 2 * float(M_PI) / 8;
        Pose p;
        p.buste = 7;
        p.tete = -5;
        for (int j = 0; j < 2; ++j) {
            float phj = ph + (j == 0 ? float(M_PI) : 0);
            p.cuisse[j] = 24 * std::sin(phj);
            // The knee bends while the leg swings forward.
            p.tibia[j] = p.cuisse[j] - 38 * std::max(0.f, std::cos(phj)) - 4;
            p.pied[j] = std::cos(phj) > 0.3f ? 10 : 0;
        }
        p.bras[0] = 22 * std::sin(ph); p.avantBras[0] = p.bras[0] + 18;
        p.bras[1] = -10 * std::sin(ph) + 8; p.avantBras[1] = p.bras[1] + 40;
        p.epee = 140;
        p.echarpePhase = ph * 2;
        p.echarpeLongueur = 17;
        p.echarpeChute = 3;
        marche.poses.push_back(p);
        marche.pauses.push_back(95);
    }
    return marche;
}

// Jump: take-off, rising tucked, top, falling, reaching for the ground.
// About 650 ms in all, the length of a full jump.
Animation animSaute() {
    Animation saute{"Saute", 295, {}, {}};
    Pose p = debout(0);
    p.cuisse[0] = 45; p.tibia[0] = -35; p.cuisse[1] = 55; p.tibia[1] = -30; p.buste = 18;
    p.bras[0] = -40; p.avantBras[0] = -20; p.bras[1] = -30; p.avantBras[1] = 10; p.epee = 130;
    saute.poses.push_back(p);
    Pose q = debout(1);
    q.cuisse[0] = 50; q.tibia[0] = -35; q.cuisse[1] = 75; q.tibia[1] = -5; q.pied[1] = 20; q.pied[0] = 30; q.buste = 8;
    q.bras[0] = 60; q.avantBras[0] = 100; q.bras[1] = 40; q.avantBras[1] = 90; q.epee = 110;
    q.echarpeChute = 12;
    saute.poses.push_back(q);
    Pose r = q;
    r.cuisse[0] = 60; r.tibia[0] = -30; r.cuisse[1] = 85; r.tibia[1] = 0; r.bras[0] = 80; r.epee = 100;
    r.echarpePhase = 2;
    saute.poses.push_back(r);
    Pose s = q;
    s.cuisse[0] = 40; s.tibia[0] = -35; s.cuisse[1] = 50; s.tibia[1] = -10; s.pied[0] = 25; s.pied[1] = 25;
    s.bras[0] = 100; s.avantBras[0] = 130; s.bras[1] = 70; s.avantBras[1] = 110; s.echarpeChute = -4;
    saute.poses.push_back(s);
    Pose t = s;
    t.cuisse[0] = 20; t.tibia[0] = -25; t.cuisse[1] = 35; t.tibia[1] = -15; t.pied[0] = 15; t.pied[1] = 10;
    t.bras[0] = 40; t.avantBras[0] = 60; t.echarpeChute = -2;
    saute.poses.push_back(t);
    saute.pauses = {110, 130, 150, 130, 130};
    return saute;
}

// Strike: wind up over the shoulder, lunge, full reach, follow through.
Animation animFrappe() {
    Animation frappe{"Frappe", 292, {}, {}};
    Pose base;
    base.cuisse[0] = -28; base.tibia[0] = -30; base.pied[0] = 10;
    base.cuisse[1] = 34; base.tibia[1] = 0;
    base.tete = -10;
    const float buste[] = {-2, 8, 18, 20, 12};
    const float bras[] = {-40, 100, 95, 70, 50};
    const float avant[] = {-60, 95, 92, 60, 50};
    const float epee[] = {-140, 65, 90, 115, 135};
    const int pauses[] = {80, 60, 120, 100, 120};
    for (int i = 0; i < 5; ++i) {
        Pose p = base;
        p.buste = buste[i];
        p.bras[1] = bras[i]; p.avantBras[1] = avant[i]; p.epee = epee[i];
        p.bras[0] = -30 + i * 8; p.avantBras[0] = p.bras[0] + 30;
        p.epeeDerriere = i == 0;
        p.echarpePhase = float(i);
        p.echarpeLongueur = 16;
        frappe.poses.push_back(p);
        frappe.pauses.push_back(pauses[i]);
    }
    return frappe;
}

// Strike crouched: down on one knee, a low sweep.
Animation animFAccroupi() {
    Animation fAccroupi{"FAccroupi", 316, {}, {}};
    Pose base;
    base.cuisse[0] = -10; base.tibia[0] = -88; base.pied[0] = -60;
    base.cuisse[1] = 80; base.tibia[1] = -20;
    base.buste = 32; base.tete = -28;
    base.echarpeChute = 8;
    const float bras[] = {0, 60, 85, 95};
    const float avant[] = {20, 80, 88, 95};
    const float epee[] = {190, 125, 95, 80};
    const int pauses[] = {70, 60, 130, 140};
    for (int i = 0; i < 4; ++i) {
        Pose p = base;
        p.bras[1] = bras[i]; p.avantBras[1] = avant[i]; p.epee = epee[i];
        p.bras[0] = 10; p.avantBras[0] = 40;
        p.echarpePhase = float(i);
        fAccroupi.poses.push_back(p);
        fAccroupi.pauses.push_back(pauses[i]);
    }
    return fAccroupi;
}

// Strike in the air: legs tucked, a wide downward cut.
Animation animFSaute() {
    Animation fSaute{"FSaute", 295, {}, {}};
    Pose base;
    base.cuisse[0] = 30; base.tibia[0] = -35; base.cuisse[1] = 70; base.tibia[1] = -10; base.pied[0] = 30; base.pied[1] = 20;
    base.tete = -6; base.echarpeChute = 10;
    const float buste[] = {0, 10, 20, 16};
    const float bras[] = {-40, 110, 90, 60};
    const float avant[] = {-60, 95, 88, 60};
    const float epee[] = {-140, 60, 100, 135};
    const int pauses[] = {60, 70, 120, 150};
    for (int i = 0; i < 4; ++i) {
        Pose p = base;
        p.buste = buste[i];
        p.bras[1] = bras[i]; p.avantBras[1] = avant[i]; p.epee = epee[i];
        p.bras[0] = 40; p.avantBras[0] = 80;
        p.epeeDerriere = i == 0;
        p.echarpePhase = float(i);
        fSaute.poses.push_back(p);
        fSaute.pauses.push_back(pauses[i]);
    }
    return fSaute;
}

// Crouch: knees bend down to a guard.
Animation animAccroupi() {
    Animation accroupi{"Accroupi", 300, {}, {}};
    for (int i = 0; i < 3; ++i) {
        float k = (i + 1) / 3.f;
        Pose p = debout(0);
        p.cuisse[0] = -6 + 36 * k; p.tibia[0] = -8 - 44 * k;
        p.cuisse[1] = 8 + 50 * k; p.tibia[1] = 2 - 34 * k;
        p.pied[0] = 0;
        p.buste = 3 + 8 * k; p.tete = -2 - 6 * k;
        p.bras[1] = 12 + 6 * k; p.avantBras[1] = 40 + 8 * k; p.epee = 150 + 10 * k;
        p.echarpeChute = 6 + 4 * k;
        accroupi.poses.push_back(p);
        accroupi.pauses.push_back(i == 2 ? 80 : 55);
    }
    return accroupi;
}

// Turn: from facing right, through facing the player, to facing left.
Animation animRetourne() {
    Animation retourne{"Retourne", 286, {}, {}};
    const float profils[] = {0.7f, 0.3f, 0.f, -0.35f, -0.75f};
    for (int i = 0; i < 5; ++i) {
        Pose p = debout(float(i));
        p.profil = profils[i];
        if (std::fabs(p.profil) < 0.5f) {  // legs apart seen from the front
            p.cuisse[0] = -10; p.cuisse[1] = 10; p.tibia[0] = -4; p.tibia[1] = 4;
        }
        retourne.poses.push_back(p);
        retourne.pauses.push_back(55);
    }
    return retourne;
}

}

std::vector<Animation> animationsHeros() {
    return {animRepos(),     animMarche(), animSaute(),    animFrappe(),
            animFAccroupi(), animFSaute(), animAccroupi(), animRetourne()};
}

}
