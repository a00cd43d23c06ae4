// The browser build played in headless chromium, over four visits of the
// page in one browser (so its storage stays):
// 1. click to start, the intro, Escape to the title, Jouer (Enter) to the
//    level, walking, the sky's tint, P's pause menu, F1's keys, the music
//    volume lowered in the options, then Escape ends the game and the page
//    offers to play again;
// 2. the volume is back from storage; the level started at a wolf
//    (--position) shows the wolf;
// 3. a two-level journey written into the page's files (a copy of the first
//    level with its finish just ahead, then the marsh): Jouer plays it, its
//    finish leads to the marsh, and the records are stored;
// 4. the records are back from storage.
// Not one page error, uncaught exception, console error or failed request.
'use strict';
const { spawn } = require('child_process');
const net = require('net');
const path = require('path');
const puppeteer = require('puppeteer-core');

const dossier = path.resolve(process.argv[2] || path.join(__dirname, '..', 'build-web'));
const mesure = process.argv.includes('--mesure');
// --captures DIR keeps the pictures the checks looked at.
const captures = process.argv.includes('--captures') ? process.argv[process.argv.indexOf('--captures') + 1] : null;
// The wolf's fur as its sprite paints it (back and belly; its shade is
// the night's too): a few hundred pixels in levels without a wolf, over
// two thousand with the wolf of x 7600 ahead of a level started at
// POSITION_LOUP.
const FOURRURE = [[104, 108, 126], [150, 150, 164]];
const POSITION_LOUP = 7150, PIXELS_LOUP = 1000;
const CHROMIUM = process.env.CHROMIUM || '/usr/lib/chromium/chromium';

function portLibre() {
  return new Promise((ok, ko) => {
    const s = net.createServer();
    s.on('error', ko);
    s.listen(0, '127.0.0.1', () => { const p = s.address().port; s.close(() => ok(p)); });
  });
}

async function attendServeur(port) {
  for (let i = 0; i < 100; ++i) {
    const pret = await new Promise(ok => {
      const c = net.connect(port, '127.0.0.1', () => { c.end(); ok(true); });
      c.on('error', () => ok(false));
    });
    if (pret) return;
    await new Promise(ok => setTimeout(ok, 100));
  }
  throw new Error('serveur muet');
}

// What the canvas shows, read from a screenshot: the share of lit pixels,
// the number of distinct colours (4 bits a channel) and a 32x24 thumbnail
// of luminances to compare pictures.
async function lisCanvas(page, nom) {
  const png = await (await page.$('#canvas')).screenshot({ encoding: 'base64' });
  if (captures && nom) require('fs').writeFileSync(path.join(captures, nom + '.png'), Buffer.from(png, 'base64'));
  return page.evaluate(async (donnees, FOURRURE) => {
    const octets = Uint8Array.from(atob(donnees), c => c.charCodeAt(0));
    const image = await createImageBitmap(new Blob([octets], { type: 'image/png' }));
    const c = new OffscreenCanvas(image.width, image.height);
    const g = c.getContext('2d');
    g.drawImage(image, 0, 0);
    const p = g.getImageData(0, 0, image.width, image.height).data;
    let allumes = 0, loup = 0;
    const couleurs = new Set();
    const ciel = [0, 0, 0];
    const vignette = new Array(32 * 24).fill(0);
    const comptes = new Array(32 * 24).fill(0);
    for (let y = 0; y < image.height; ++y)
      for (let x = 0; x < image.width; ++x) {
        const i = 4 * (y * image.width + x);
        const l = (p[i] * 3 + p[i + 1] * 6 + p[i + 2]) / 10;
        if (l > 24) ++allumes;
        if (FOURRURE.some(f => Math.abs(p[i] - f[0]) + Math.abs(p[i + 1] - f[1]) + Math.abs(p[i + 2] - f[2]) < 12)) ++loup;
        couleurs.add((p[i] >> 4) << 8 | (p[i + 1] >> 4) << 4 | p[i + 2] >> 4);
        if (y < image.height / 3)
          for (let j = 0; j < 3; ++j) ciel[j] += p[i + j] / (image.width * Math.floor(image.height / 3));
        const k = Math.floor(y * 24 / image.height) * 32 + Math.floor(x * 32 / image.width);
        vignette[k] += l;
        ++comptes[k];
      }
    return { allumes: allumes / (image.width * image.height), couleurs: couleurs.size, ciel, loup,
             vignette: vignette.map((v, k) => v / comptes[k]) };
  }, png, FOURRURE);
}

function ecart(a, b) {
  let s = 0;
  for (let k = 0; k < a.vignette.length; ++k) s += Math.abs(a.vignette[k] - b.vignette[k]);
  return s / a.vignette.length;
}

function ecartCiel(a, b) {
  return a.ciel.reduce((s, v, j) => s + Math.abs(v - b.ciel[j]), 0);
}

function vivante(image) {
  return image.allumes > 0.05 && image.couleurs >= 16;
}

async function attend(condition, ms, quoi) {
  const fin = Date.now() + ms;
  for (;;) {
    const r = await condition();
    if (r) return r;
    if (Date.now() > fin) throw new Error('délai dépassé : ' + quoi);
    await new Promise(ok => setTimeout(ok, 100));
  }
}

function centile(valeurs, q) {
  const v = [...valeurs].sort((a, b) => a - b);
  return v[Math.min(v.length - 1, Math.floor(q * v.length))];
}

const pause = ms => new Promise(ok => setTimeout(ok, ms));

// A file of the page's file system, as text (null when missing).
function lisFichier(page, chemin) {
  return page.evaluate(c => { try { return FS.readFile(c, { encoding: 'utf8' }); } catch (e) { return null; } },
                       chemin);
}

// A player's file as the browser's storage holds it (the IDBFS database of
// the page's /sauvegarde folder), null when it is not there: what a reload
// will find.
function fichierStocke(page, nom) {
  return page.evaluate(nom => new Promise(ok => {
    const ouverture = indexedDB.open('/sauvegarde');
    ouverture.onerror = () => ok(null);
    ouverture.onsuccess = () => {
      const base = ouverture.result;
      const fin = v => { base.close(); ok(v); };
      try {
        const lecture = base.transaction(['FILE_DATA'], 'readonly').objectStore('FILE_DATA')
          .get('/sauvegarde/' + nom);
        lecture.onsuccess = () => fin(lecture.result && lecture.result.contents
                                      ? new TextDecoder().decode(lecture.result.contents) : null);
        lecture.onerror = () => fin(null);
      } catch (e) {
        fin(null);
      }
    };
  }), nom);
}

function valeurIni(texte, cle) {
  const m = texte && texte.match(new RegExp('^' + cle + '=(.*)$', 'm'));
  return m ? m[1].trim() : null;
}

async function main() {
  const port = await portLibre();
  const serveur = spawn('python3', ['-m', 'http.server', String(port), '--bind', '127.0.0.1'],
                        { cwd: dossier, stdio: 'ignore' });
  const adresse = `http://127.0.0.1:${port}/index.html`;
  let navigateur;
  const fautes = [];
  // What the game printed on its standard output.
  const journal = [];
  const note = p => p.catch(e => { fautes.push(e.message); return null; });
  try {
    await attendServeur(port);
    navigateur = await puppeteer.launch({
      executablePath: CHROMIUM,
      headless: true,
      args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--disable-quic',
             '--no-first-run', '--disable-background-networking', '--disable-component-update',
             '--disable-sync', '--autoplay-policy=user-gesture-required'],
    });
    const page = await navigateur.newPage();
    await page.setViewport({ width: 800, height: 640 });
    page.on('pageerror', e => fautes.push('erreur de page : ' + e.message));
    // The game's standard error comes as warnings: shown, not failures.
    page.on('console', m => {
      if (m.type() === 'error') fautes.push('console : ' + m.text());
      else if (m.type() === 'warn') console.log('jeu : ' + m.text());
      else journal.push(m.text());
    });
    page.on('requestfailed', r => fautes.push('requête échouée : ' + r.url()));
    page.on('response', r => { if (r.status() >= 400) fautes.push('HTTP ' + r.status() + ' : ' + r.url()); });
    // The game asks for one browser frame per frame it shows: their times.
    await page.evaluateOnNewDocument(() => {
      window.__images = [];
      const rAF = window.requestAnimationFrame.bind(window);
      window.requestAnimationFrame = f => rAF(t => { window.__images.push(performance.now()); f(t); });
    });
    const visite = async () => {
      journal.length = 0;
      await page.goto(adresse);
      await page.waitForSelector('#jouer:not([disabled])', { timeout: 60000 });
    };
    // A picture unlike `avant` that stays, meeting `bonne`.
    const suivante = (avant, nom, bonne) => attend(async () => {
      const a = await lisCanvas(page);
      if (!bonne(a) || (avant && ecart(a, avant) < 8)) return null;
      await pause(300);
      const b = await lisCanvas(page, nom);
      return bonne(b) && ecart(a, b) < 4 && b;
    }, 30000, nom);
    // The intro fades in from black; Escape skips it to the title (dark
    // without its painting).
    const jusquAuTitre = async () => {
      const intro = await attend(async () => { const i = await lisCanvas(page); return vivante(i) && i; },
                                 30000, 'première image de l\'intro');
      await page.keyboard.press('Escape');
      return { intro, titre: await suivante(intro, 'titre', () => true) };
    };

    // 1. The first visit.
    const t0 = Date.now();
    await visite();
    const tPret = Date.now();
    await page.click('#depart');
    await attend(async () => (await lisCanvas(page)).allumes > 0.002, 30000, 'première image');
    const tPremiere = Date.now();
    const { intro, titre } = await jusquAuTitre();
    const tIntro = Date.now();
    console.log(`intro : ${intro.couleurs} couleurs, ${(100 * intro.allumes).toFixed(0)} % allumé`);
    // The title's Jouer (Enter) starts the level: a lit picture.
    await page.keyboard.press('Enter');
    const niveau = await suivante(titre, 'niveau', vivante);
    // The level's music: loaded, decoded and playing in a running audio context.
    const musique = await attend(() => page.evaluate(() => {
      const m = typeof SDL !== 'undefined' && SDL.music && SDL.music.audio;
      return !!m && !m.paused && !!SDL.audioContext && SDL.audioContext.state === 'running' && SDL.audios.length;
    }), 10000, 'la musique du niveau');
    console.log(`musique : ${musique} sons chargés, contexte audio actif`);
    console.log(`niveau : ${niveau.couleurs} couleurs, écart à l'intro ${ecart(niveau, intro).toFixed(1)}`);

    // At the level's start, before the wisp ahead comes for an idle hero:
    // P shows the pause menu over the scene and the page goes on drawing:
    // P again takes the menu away. F1 shows the keys, a screen unlike the
    // menu, and F1 again takes it away.
    const avantPause = await lisCanvas(page);
    const revient = quoi => note(attend(async () => ecart(await lisCanvas(page), avantPause) < 2, 5000, quoi));
    await page.keyboard.press('p');
    const menu = await note(attend(async () => {
      const i = await lisCanvas(page, 'pause');
      return ecart(i, avantPause) > 3 && i;
    }, 5000, 'le menu de pause'));
    await page.keyboard.press('p');
    await revient('la reprise par P');
    if (menu) console.log(`pause : écart ${ecart(menu, avantPause).toFixed(1)}, puis reprise`);
    await page.keyboard.press('F1');
    const aide = await note(attend(async () => {
      const i = await lisCanvas(page, 'aide');
      return ecart(i, avantPause) > 3 && (!menu || ecart(i, menu) > 2) && i;
    }, 5000, 'l\'écran des touches (F1)'));
    await page.keyboard.press('F1');
    await revient('la reprise après F1');
    if (aide && menu) console.log(`touches : écart au menu de pause ${ecart(aide, menu).toFixed(1)}`);

    // Options (P, Down, Enter), the music volume one step down (Left):
    // written to config.ini, then to the browser's storage.
    const volumeAvant = valeurIni(await lisFichier(page, '/contenu/config.ini'), 'VolumeMusique');
    await page.keyboard.press('p');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
    await page.keyboard.press('ArrowLeft');
    const volume = await note(attend(async () => {
      const v = valeurIni(await lisFichier(page, '/contenu/config.ini'), 'VolumeMusique');
      return v !== null && v !== volumeAvant && v;
    }, 5000, 'le volume de la musique écrit dans config.ini'));
    if (volume) {
      await note(attend(async () => valeurIni(await fichierStocke(page, 'config.ini'), 'VolumeMusique') === volume,
                        5000, 'config.ini dans le stockage du navigateur'));
      console.log(`options : volume de la musique ${volumeAvant} -> ${volume}`);
    }
    await page.keyboard.press('Backspace');
    await page.keyboard.press('p');
    await revient('la reprise après les options');
    await page.keyboard.down('ArrowRight');
    await pause(2000);
    const marche = await lisCanvas(page, 'marche');
    let images = [];
    if (mesure) {
      const debut = await page.evaluate(() => window.__images.length);
      await pause(10000);
      images = (await page.evaluate(() => window.__images)).slice(debut);
    }
    await page.keyboard.up('ArrowRight');
    const deplacement = ecart(marche, niveau);
    console.log(`après 2 s de marche : écart ${deplacement.toFixed(1)}`);
    if (deplacement < 3) fautes.push('le décor n\'a pas bougé');

    // Key 8 tints the sky plane green-blue (less red, green over blue), 1
    // gives it back. Measured over the top third, where the sky is.
    const vert = i => i.ciel[1] - i.ciel[2];
    await page.keyboard.press('8');
    const teinte = await note(attend(async () => {
      const i = await lisCanvas(page, 'teinte');
      return i.ciel[0] < marche.ciel[0] - 2 && vert(i) > vert(marche) + 2 && i;
    }, 5000, 'la teinte 8 du ciel'));
    await page.keyboard.press('1');
    await note(attend(async () => Math.abs(vert(await lisCanvas(page)) - vert(marche)) < 1, 5000,
                      'le ciel rendu par 1'));
    const rgb = i => i.ciel.map(v => v.toFixed(1)).join('/');
    if (teinte) console.log(`teinte : ciel ${rgb(marche)} -> ${rgb(teinte)}`);

    // Escape still ends the game, and the page offers to play again.
    await page.keyboard.press('Escape');
    await note(page.waitForFunction(() => /rejouer/.test((document.querySelector('#depart') || {}).textContent),
                                    { timeout: 10000 }).then(() => console.log('Échap : partie terminée, rejouer')));

    if (mesure) {
      const intervalles = images.slice(1).map((t, k) => t - images[k]);
      console.log(`MESURE chargement jusqu'au bouton ${tPret - t0} ms, jusqu'à la première image de l'intro` +
                  ` ${tPremiere - t0} ms, clic jusqu'à l'intro pleine ${tIntro - tPret} ms`);
      console.log(`MESURE intervalles sur 10 s : ${intervalles.length}, p50 ${centile(intervalles, 0.5).toFixed(2)} ms,` +
                  ` p99 ${centile(intervalles, 0.99).toFixed(2)} ms`);
    }

    // 2. The volume is back; a wolf stands ahead of the hero.
    await visite();
    const volumeRelu = valeurIni(await lisFichier(page, '/contenu/config.ini'), 'VolumeMusique');
    if (volume && volumeRelu !== volume) fautes.push(`volume après rechargement : ${volumeRelu}, attendu ${volume}`);
    await page.evaluate(args => { const lance = Module.callMain; Module.callMain = () => lance(args); },
                        ['--position', String(POSITION_LOUP)]);
    await page.click('#depart');
    const loup = await note(attend(async () => {
      const i = await lisCanvas(page, 'loup');
      return vivante(i) && i.loup > PIXELS_LOUP && i;
    }, 20000, 'le loup'));
    if (loup) console.log(`loup : ${loup.loup} pixels de sa fourrure`);

    // 3. The journey: the first level's copy ends just ahead of the start.
    await visite();
    await page.evaluate(() => {
      const niveau = FS.readFile('/contenu/data/levels/level1.ini', { encoding: 'utf8' });
      FS.writeFile('/contenu/data/levels/court.ini', niveau.replace(/^arriveeX=.*$/m, 'arriveeX=3250'));
      FS.writeFile('/contenu/data/parcours.ini', '[Entete]\nnombreNiveaux=2\n' +
                   '[Niveau1]\nfichier=./data/levels/court.ini\n[Niveau2]\nfichier=./data/levels/marais.ini\n');
    });
    await page.click('#depart');
    const titre2 = (await jusquAuTitre()).titre;
    await page.keyboard.press('Enter');
    const court = await suivante(titre2, 'court', vivante);
    await page.keyboard.down('ArrowRight');
    await attend(() => journal.some(l => /Niveau terminé/.test(l)), 15000, 'l\'arrivée du niveau court');
    await page.keyboard.up('ArrowRight');
    // The marsh at dawn: a sky far from the night forest's.
    const marais = await suivante(court, 'marais', i => vivante(i) && ecartCiel(i, court) > 20);
    console.log(`parcours : arrivée, puis le marais (ciel ${rgb(court)} -> ${rgb(marais)})`);
    const termine = t => /^fichier=\.\/data\/levels\/court\.ini\n(?:.*\n)*?termine=1$/m.test(t || '');
    await attend(async () => termine(await fichierStocke(page, 'records.ini')), 5000,
                 'records.ini dans le stockage du navigateur');

    // 4. The records are back.
    await visite();
    if (!termine(await lisFichier(page, '/contenu/records.ini'))) fautes.push('records perdus au rechargement');
    else console.log('records : relus après rechargement');
  } catch (e) {
    fautes.push(e.message);
  } finally {
    if (navigateur) await navigateur.close();
    serveur.kill();
  }
  for (const f of fautes) console.error('ÉCHEC ' + f);
  process.exit(fautes.length ? 1 : 0);
}

main();
