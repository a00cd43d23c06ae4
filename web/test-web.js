// The browser build played in headless chromium: click to start, the first
// intro picture, Escape to the level, two seconds walking right, and not one
// page error, uncaught exception, console error or failed request.
// Usage: node test-web.js BUILD_WEB_DIR [--mesure]
'use strict';
const { spawn } = require('child_process');
const net = require('net');
const path = require('path');
const puppeteer = require('puppeteer-core');

const dossier = path.resolve(process.argv[2] || path.join(__dirname, '..', 'build-web'));
const mesure = process.argv.includes('--mesure');
// --captures DIR keeps the pictures the checks looked at.
const captures = process.argv.includes('--captures') ? process.argv[process.argv.indexOf('--captures') + 1] : null;
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
  return page.evaluate(async (donnees) => {
    const octets = Uint8Array.from(atob(donnees), c => c.charCodeAt(0));
    const image = await createImageBitmap(new Blob([octets], { type: 'image/png' }));
    const c = new OffscreenCanvas(image.width, image.height);
    const g = c.getContext('2d');
    g.drawImage(image, 0, 0);
    const p = g.getImageData(0, 0, image.width, image.height).data;
    let allumes = 0;
    const couleurs = new Set();
    const ciel = [0, 0, 0];
    const vignette = new Array(32 * 24).fill(0);
    const comptes = new Array(32 * 24).fill(0);
    for (let y = 0; y < image.height; ++y)
      for (let x = 0; x < image.width; ++x) {
        const i = 4 * (y * image.width + x);
        const l = (p[i] * 3 + p[i + 1] * 6 + p[i + 2]) / 10;
        if (l > 24) ++allumes;
        couleurs.add((p[i] >> 4) << 8 | (p[i + 1] >> 4) << 4 | p[i + 2] >> 4);
        if (y < image.height / 3)
          for (let j = 0; j < 3; ++j) ciel[j] += p[i + j] / (image.width * Math.floor(image.height / 3));
        const k = Math.floor(y * 24 / image.height) * 32 + Math.floor(x * 32 / image.width);
        vignette[k] += l;
        ++comptes[k];
      }
    return { allumes: allumes / (image.width * image.height), couleurs: couleurs.size, ciel,
             vignette: vignette.map((v, k) => v / comptes[k]) };
  }, png);
}

function ecart(a, b) {
  let s = 0;
  for (let k = 0; k < a.vignette.length; ++k) s += Math.abs(a.vignette[k] - b.vignette[k]);
  return s / a.vignette.length;
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

async function main() {
  const port = await portLibre();
  const serveur = spawn('python3', ['-m', 'http.server', String(port), '--bind', '127.0.0.1'],
                        { cwd: dossier, stdio: 'ignore' });
  let navigateur;
  const fautes = [];
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
    });
    page.on('requestfailed', r => fautes.push('requête échouée : ' + r.url()));
    page.on('response', r => { if (r.status() >= 400) fautes.push('HTTP ' + r.status() + ' : ' + r.url()); });
    // The game asks for one browser frame per frame it shows: their times.
    await page.evaluateOnNewDocument(() => {
      window.__images = [];
      const rAF = window.requestAnimationFrame.bind(window);
      window.requestAnimationFrame = f => rAF(t => { window.__images.push(performance.now()); f(t); });
    });

    const t0 = Date.now();
    await page.goto(`http://127.0.0.1:${port}/index.html`);
    await page.waitForSelector('#jouer:not([disabled])', { timeout: 60000 });
    const tPret = Date.now();
    await page.click('#depart');
    // The intro fades in from black: its first picture is the first lit one.
    await attend(async () => (await lisCanvas(page)).allumes > 0.002, 30000, 'première image');
    const tPremiere = Date.now();
    const intro = await attend(async () => { const i = await lisCanvas(page); return vivante(i) && i; },
                               30000, 'première image de l\'intro');
    const tIntro = Date.now();
    if (captures) await lisCanvas(page, 'intro');
    console.log(`intro : ${intro.couleurs} couleurs, ${(100 * intro.allumes).toFixed(0)} % allumé`);

    await page.keyboard.press('Escape');
    // A picture unlike `avant` that stays, meeting `bonne`.
    const suivante = (avant, nom, bonne) => attend(async () => {
      const a = await lisCanvas(page);
      if (!bonne(a) || ecart(a, avant) < 8) return null;
      await new Promise(ok => setTimeout(ok, 300));
      const b = await lisCanvas(page, nom);
      return bonne(b) && ecart(a, b) < 4 && b;
    }, 30000, nom);
    // The title (dark without its painting), whose Jouer (Enter) starts the
    // level: a lit picture.
    const titre = await suivante(intro, 'titre', () => true);
    await page.keyboard.press('Enter');
    const niveau = await suivante(titre, 'niveau', vivante);
    // The level's music: loaded, decoded and playing in a running audio context.
    const musique = await attend(() => page.evaluate(() => {
      const m = typeof SDL !== 'undefined' && SDL.music && SDL.music.audio;
      return !!m && !m.paused && !!SDL.audioContext && SDL.audioContext.state === 'running' && SDL.audios.length;
    }), 10000, 'la musique du niveau');
    console.log(`musique : ${musique} sons chargés, contexte audio actif`);
    console.log(`niveau : ${niveau.couleurs} couleurs, écart à l'intro ${ecart(niveau, intro).toFixed(1)}`);

    await page.keyboard.down('ArrowRight');
    await new Promise(ok => setTimeout(ok, 2000));
    const marche = await lisCanvas(page, 'marche');
    let images = [];
    if (mesure) {
      const debut = await page.evaluate(() => window.__images.length);
      await new Promise(ok => setTimeout(ok, 10000));
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
    const teinte = await attend(async () => {
      const i = await lisCanvas(page, 'teinte');
      return i.ciel[0] < marche.ciel[0] - 2 && vert(i) > vert(marche) + 2 && i;
    }, 5000, 'la teinte 8 du ciel').catch(e => { fautes.push(e.message); return null; });
    await page.keyboard.press('1');
    await attend(async () => Math.abs(vert(await lisCanvas(page)) - vert(marche)) < 1, 5000, 'le ciel rendu par 1')
      .catch(e => fautes.push(e.message));
    const rgb = i => i.ciel.map(v => v.toFixed(1)).join('/');
    if (teinte) console.log(`teinte : ciel ${rgb(marche)} -> ${rgb(teinte)}`);

    // P shows the pause menu over the scene and the page goes on drawing:
    // P again takes the menu away.
    const avantPause = await lisCanvas(page);
    await page.keyboard.press('p');
    const menu = await attend(async () => {
      const i = await lisCanvas(page, 'pause');
      return ecart(i, avantPause) > 3 && i;
    }, 5000, 'le menu de pause').catch(e => { fautes.push(e.message); return null; });
    await page.keyboard.press('p');
    await attend(async () => ecart(await lisCanvas(page), avantPause) < 2, 5000, 'la reprise par P')
      .catch(e => fautes.push(e.message));
    if (menu) console.log(`pause : écart ${ecart(menu, avantPause).toFixed(1)}, puis reprise`);

    if (mesure) {
      const intervalles = images.slice(1).map((t, k) => t - images[k]);
      console.log(`MESURE chargement jusqu'au bouton ${tPret - t0} ms, jusqu'à la première image de l'intro` +
                  ` ${tPremiere - t0} ms, clic jusqu'à l'intro pleine ${tIntro - tPret} ms`);
      console.log(`MESURE intervalles sur 10 s : ${intervalles.length}, p50 ${centile(intervalles, 0.5).toFixed(2)} ms,` +
                  ` p99 ${centile(intervalles, 0.99).toFixed(2)} ms`);
    }
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
