#include "verification/Acteurs.h"

#include "game/Acteurs.h"
#include "game/Effets.h"
#include "game/SchemaActeur.h"
#include "scenery/SchemaNiveau.h"
#include "sprites/SchemaSprite.h"


#include <algorithm>
#include <climits>
#include <cstring>

const char* const FICHIER_EFFETS = FichierEffets;

namespace {

namespace sa = schemaActeur;

uint32_t lit32(const std::string& o, size_t p) { uint32_t v; memcpy(&v, o.data() + p, 4); return v; }
uint16_t lit16(const std::string& o, size_t p) { uint16_t v; memcpy(&v, o.data() + p, 2); return v; }

// What keeps `octets` from being a 16-bit PCM WAV, or "".
std::string defautWav(const std::string& o)
{
    if (o.size() < 12 || o.compare(0, 4, "RIFF") != 0 || o.compare(8, 4, "WAVE") != 0)
        return "pas un fichier WAV";
    bool format = false;
    for (size_t p = 12; p + 8 <= o.size();) {
        uint32_t taille = lit32(o, p + 4);
        if (o.compare(p, 4, "fmt ") == 0) {
            if (taille < 16 || p + 24 > o.size())
                return "en-tête WAV tronqué";
            if (lit16(o, p + 8) != 1 || lit16(o, p + 22) != 16)
                return "WAV qui n'est pas en PCM 16 bits";
            format = true;
        } else if (o.compare(p, 4, "data") == 0) {
            if (!format)
                return "WAV sans format avant ses données";
            return p + 8 + taille > o.size() ? "WAV tronqué" : "";
        }
        p += 8 + taille + (taille & 1);
    }
    return "WAV sans données";
}

int ligneDe(const ValeurLue& v, int defaut) { return v.ligne > 0 ? v.ligne : defaut; }

}

void verifieContact(CRapport& rapport, const std::string& chemin, const std::string& section, ValeursSection& v,
                    const std::string& anim, const CVerificateur::Taille& cadre)
{
    if (!v[sa::ContactX.nom].trouvee && !v[sa::ContactY.nom].trouvee && !v[sa::ContactLargeur.nom].trouvee && !v[sa::ContactHauteur.nom].trouvee)
        return;
    long x = v[sa::ContactX.nom].entier, y = v[sa::ContactY.nom].entier, l = v[sa::ContactLargeur.nom].entier, h = v[sa::ContactHauteur.nom].entier;
    if (cadre.largeur > 0 && (x < 0 || y < 0 || x + l > cadre.largeur || y + h > cadre.hauteur))
        rapport.erreur(chemin, ligneDe(v[sa::ContactX.nom], 0),
                       texte("[%s] : rectangle de contact %ld, %ld, %ld × %ld hors du cadre de `%s` (%ld × %ld)",
                             section.c_str(), x, y, l, h, anim.c_str(), cadre.largeur, cadre.hauteur));
}

void verifieFrappe(CRapport& rapport, const std::string& chemin, const std::string& section, ValeursSection& v,
                   const CVerificateur::AnimLue& anim)
{
    using namespace schemaSprite;
    const char* cles[] = {FrappeX.nom, FrappeY.nom, FrappeLargeur.nom, FrappeHauteur.nom, FrappeDebut.nom, FrappeFin.nom};
    int donnees = 0, premiere = 0;
    for (const char* c : cles)
        if (v[c].trouvee) {
            ++donnees;
            premiere = premiere ? std::min(premiere, v[c].ligne) : v[c].ligne;
        }
    if (donnees == 0)
        return;
    if (donnees < 6) {
        rapport.erreur(chemin, premiere, texte("[%s] : une frappe demande frappeX, frappeY, frappeLargeur, frappeHauteur, "
                                               "frappeDebut et frappeFin", section.c_str()));
        return;
    }
    long x = v[schemaSprite::FrappeX.nom].entier, y = v[schemaSprite::FrappeY.nom].entier, l = v[schemaSprite::FrappeLargeur.nom].entier, h = v[schemaSprite::FrappeHauteur.nom].entier;
    const CVerificateur::Taille& c = anim.plusGrande;
    if (c.largeur > 0 && (x < 0 || y < 0 || x + l > c.largeur || y + h > c.hauteur))
        rapport.erreur(chemin, v[schemaSprite::FrappeX.nom].ligne,
                       texte("[%s] : rectangle de frappe %ld, %ld, %ld × %ld hors des cadres (%ld × %ld)",
                             section.c_str(), x, y, l, h, c.largeur, c.hauteur));
    long debut = v[schemaSprite::FrappeDebut.nom].entier, fin = v[schemaSprite::FrappeFin.nom].entier;
    if (debut > fin || fin > anim.nbFrames)
        rapport.erreur(chemin, v[schemaSprite::FrappeDebut.nom].ligne,
                       texte("[%s] : images de frappe %ld … %ld hors de 1 … nbFrames (%ld)", section.c_str(), debut,
                             fin, anim.nbFrames));
}

void CVerificateur::verifieEffets(const std::string& chemin)
{
    effetsLus_ = true;
    CDescription d(rapport_, chemin);
    if (!d.ouverte()) {
        rapport_.avertissement(chemin, 0, defautFichier(chemin) + " : le jeu reste sans bruitages");
        return;
    }
    long n = std::max(0L, std::min<long>(sa::MaxEffets, d.litSection("Entete", sa::enteteEffets)[sa::NombreSons.nom].entier));
    std::map<std::string, int> noms;
    for (long i = 1; i <= n; ++i) {
        std::string section = texte("Son%ld", i);
        ValeursSection v = d.litSection(section, sa::son);
        const ValeurLue& nom = v[sa::NomSon.nom];
        if (nom.trouvee) {
            if (nom.texte.size() > static_cast<size_t>(sa::NomSonMax))
                rapport_.erreur(chemin, nom.ligne, texte("[%s] : nom `%s` de plus de %d caractères", section.c_str(),
                                                         nom.texte.c_str(), sa::NomSonMax));
            else if (noms.count(nom.texte))
                rapport_.erreur(chemin, nom.ligne, texte("[%s] : nom `%s` déjà donné ligne %d : le jeu garde le premier",
                                                         section.c_str(), nom.texte.c_str(), noms[nom.texte]));
            else
                noms[nom.texte] = nom.ligne;
            sons_.insert(nom.texte);
        }
        const ValeurLue& fichier = v[sa::FichierSon.nom];
        std::string octets;
        if (!fichier.trouvee || !ouvrable(fichier.texte, chemin, fichier.ligne))
            continue;
        std::string defaut = lisOctets(fichier.texte, octets) ? defautWav(octets) : defautFichier(fichier.texte);
        if (!defaut.empty())
            rapport_.erreur(chemin, fichier.ligne, defaut + " : " + fichier.texte);
    }
    d.termine([&](const std::string& nom) {
        return nom.compare(0, 3, "Son") == 0 ? texte("nombreSons vaut %ld", n) : std::string();
    });
}

void CVerificateur::verifieActeurs(CDescription& niveau, long nombre)
{
    // Kept for the whole run: the description holds on to the keys it read.
    static const std::vector<DefCle> cles = [] {
        std::vector<DefCle> c = schemaNiveau::acteurNiveau;
        c.insert(c.end(), sa::comportement.begin(), sa::comportement.end());
        return c;
    }();
    for (long n = 1; n <= nombre; ++n) {
        std::string section = texte("Acteur%ld", n);
        ValeursSection v = niveau.litSection(section, cles);
        const ValeurLue& type = v[schemaNiveau::TypeActeur.nom];
        if (!type.trouvee)
            continue;
        if (!nomTypeActeurValide(type.texte.c_str())) {
            rapport_.erreur(niveau.chemin(), type.ligne,
                            texte("[%s] : type `%s` : seuls a-z, 0-9 et _ sont permis, l'acteur est laissé de côté",
                                  section.c_str(), type.texte.c_str()));
            continue;
        }
        verifieTypeActeur(type.texte, niveau.chemin(), type.ligne);
    }
}

bool CVerificateur::verifieTypeActeur(const std::string& type, const std::string& fichier, int ligne)
{
    auto deja = types_.find(type);
    std::string chemin = "./data/acteurs/" + type + ".ini";
    if (deja != types_.end()) {
        if (!deja->second && !defautFichier(chemin).empty())
            rapport_.erreur(fichier, ligne, texte("type `%s` inconnu : l'acteur est laissé de côté", type.c_str()));
        return deja->second;
    }
    bool& utilisable = types_[type] = false;
    if (!defautFichier(chemin).empty()) {
        std::string proche = plusProche(type, typesActeursSurDisque());
        rapport_.erreur(fichier, ligne,
                        proche.empty() ? texte("type `%s` inconnu (%s introuvable) : l'acteur est laissé de côté",
                                               type.c_str(), chemin.c_str())
                                       : texte("type `%s` inconnu (%s introuvable) : l'acteur est laissé de côté — "
                                               "vouliez-vous dire `%s` ?", type.c_str(), chemin.c_str(), proche.c_str()));
        return false;
    }
    CDescription d(rapport_, chemin);
    ValeursSection acteur = d.litSection("Acteur", sa::acteur);
    const ValeurLue& comportement = acteur[sa::Comportement.nom];
    bool connu = comportementNomme(comportement.texte.c_str()) >= 0;
    if (comportement.trouvee && !connu)
        rapport_.erreur(chemin, comportement.ligne,
                        texte("comportement `%s` inconnu : feu_follet, loup, chauve_souris, lueur, sanctuaire, "
                              "lanterne, crapaud ou rocher",
                              comportement.texte.c_str()));
    const ValeurLue& sprite = acteur[sa::Sprite.nom];
    std::map<std::string, AnimLue>* anims = nullptr;
    if (sprite.trouvee && ouvrable(sprite.texte, chemin, sprite.ligne)) {
        verifieSprite(sprite.texte, {});
        anims = &sprites_[sprite.texte];
    }
    ValeursSection animations = d.litSection("Animations", sa::animations);
    for (const char* cle : sa::rolesAnim) {
        const ValeurLue& a = animations[cle];
        if (!a.trouvee || !anims || anims->count(a.texte))
            continue;
        std::vector<std::string> noms;
        for (const auto& e : *anims)
            noms.push_back(e.first);
        std::string proche = plusProche(a.texte, noms);
        rapport_.erreur(chemin, a.ligne,
                        proche.empty() ? texte("%s : animation `%s` absente de %s", cle, a.texte.c_str(), sprite.texte.c_str())
                                       : texte("%s : animation `%s` absente de %s — vouliez-vous dire `%s` ?", cle,
                                               a.texte.c_str(), sprite.texte.c_str(), proche.c_str()));
    }
    const ValeurLue& repos = animations[sa::rolesAnim[AnimRepos]];
    if (anims && anims->count(repos.texte))
        verifieContact(rapport_, chemin, "Acteur", acteur, repos.texte, (*anims)[repos.texte].premiere);
    if (d.aSection("Comportement"))
        d.litSection("Comportement", sa::comportement);
    if (d.aSection("Sons")) {
        ValeursSection sons = d.litSection("Sons", sa::sons);
        for (const DefCle& c : sa::sons) {
            const ValeurLue& s = sons[c.nom];
            if (s.trouvee && effetsLus_ && !sons_.count(s.texte))
                rapport_.avertissement(chemin, s.ligne, texte("%s : son `%s` absent de %s : l'acteur reste muet ici", c.nom,
                                                              s.texte.c_str(), FICHIER_EFFETS));
        }
    }
    d.termine([](const std::string&) { return std::string(); });
    utilisable = connu && anims && anims->count(repos.texte);
    return utilisable;
}
