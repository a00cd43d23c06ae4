// The page's frames against the bound the browser allows, in one headless
// chromium: the game's first level without its actors, from the usual
// start, 20 s walking right; then borne.html drawing that frame's quads
// (captured from the game: quad and texture sizes, all blended) with plain
// WebGL, batched (one upload a frame) and quad by quad.
// Per frame: the interval between browser frames (p50, p99, share over
// 20 ms) and the main thread's task time (chromium's own counter).
// Usage: node navigateur.js BUILD_WEB_DIR
'use strict';
const { spawn } = require('child_process');
const path = require('path');
const puppeteer = require('puppeteer-core');

const dossier = path.resolve(process.argv[2] || path.join(__dirname, '..', '..', 'build-web'));
const DUREE = 20000;
const pause = ms => new Promise(ok => setTimeout(ok, ms));
const q = (v, p) => v[Math.min(v.length - 1, Math.floor(p * v.length))].toFixed(2);

// Counts WebGL calls between browser frames, times the frames, and on
// request captures one game frame's draws (from one clear to the next).
function espion() {
  window.__images = [];
  window.__appels = {};
  window.__capture = null;
  const G = WebGLRenderingContext.prototype;
  const avant = (n, f) => { const v = G[n]; G[n] = function (...a) { f.apply(this, a); return v.apply(this, a); }; };
  for (const n of ['drawArrays', 'drawElements', 'bufferData', 'bufferSubData', 'texImage2D', 'texSubImage2D',
                   'bindTexture', 'useProgram', 'uniformMatrix4fv', 'vertexAttribPointer'])
    avant(n, () => { window.__appels[n] = (window.__appels[n] || 0) + 1; });
  const tailles = new WeakMap(), ids = new WeakMap(), attribs = {};
  let texture = null, donnees = null, melange = false, capte = false, prochainId = 0;
  avant('bindTexture', (c, t) => { texture = t; if (t && !ids.has(t)) ids.set(t, ++prochainId); });
  avant('texImage2D', (...a) => { if (texture) tailles.set(texture, a.length >= 9 ? [a[3], a[4]] : [a[5].width, a[5].height]); });
  avant('vertexAttribPointer', (i, taille, type, n, pas, decalage) => { attribs[i] = { taille, type, pas, decalage }; });
  avant('bufferSubData', (c, decalage, d) => {
    donnees = { decalage, vue: new DataView(d.buffer.slice(d.byteOffset, d.byteOffset + d.byteLength)) };
  });
  avant('enable', c => { if (c === G.BLEND) melange = true; });
  avant('disable', c => { if (c === G.BLEND) melange = false; });
  avant('clear', () => {
    if (capte) { capte = false; window.__captureFinie = true; }
    else if (window.__veutCapture && !window.__capture) { window.__capture = []; capte = true; }
  });
  avant('drawArrays', (mode, premier, nombre) => {
    if (!capte || !donnees) return;
    // The quad's size: the float attribute spanning most (the position).
    let l = 0, h = 0;
    for (const a of Object.values(attribs).filter(a => a.type === G.FLOAT && a.taille >= 2)) {
      const xs = [], ys = [];
      for (let k = premier; k < premier + nombre; ++k) {
        const o = a.decalage - donnees.decalage + k * a.pas;
        if (o >= 0 && o + 8 <= donnees.vue.byteLength) { xs.push(donnees.vue.getFloat32(o, true)); ys.push(donnees.vue.getFloat32(o + 4, true)); }
      }
      const lx = Math.max(...xs) - Math.min(...xs), hy = Math.max(...ys) - Math.min(...ys);
      if (lx * hy > l * h) { l = lx; h = hy; }
    }
    window.__capture.push({ id: ids.get(texture) || 0, tex: tailles.get(texture) || [1, 1], l, h, melange });
  });
  const rAF = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = f => rAF(t => { window.__images.push(performance.now()); f(t); });
}

// Frames and main-thread time over DUREE.
async function mesure(page, nom) {
  const cdp = await page.target().createCDPSession();
  await cdp.send('Performance.enable');
  const taches = async () => (await cdp.send('Performance.getMetrics')).metrics.find(m => m.name === 'TaskDuration').value;
  await page.evaluate(() => { window.__appels = {}; });
  const debut = await page.evaluate(() => window.__images.length);
  const t0 = await taches();
  await pause(DUREE);
  const t1 = await taches();
  const images = (await page.evaluate(() => window.__images)).slice(debut);
  const appels = await page.evaluate(() => window.__appels);
  const iv = images.slice(1).map((t, k) => t - images[k]).sort((a, b) => a - b);
  console.log(`${nom} : ${images.length} images, intervalle p50 ${q(iv, .5)} ms p99 ${q(iv, .99)} ms, ` +
              `${(100 * iv.filter(x => x > 20).length / iv.length).toFixed(1)} % > 20 ms ; fil principal par image ` +
              `${(1000 * (t1 - t0) / images.length).toFixed(2)} ms`);
  return { images: images.length, appels };
}

async function main() {
  const port = 20000 + Math.floor(Math.random() * 20000);
  const serveur = spawn('python3', ['-m', 'http.server', String(port), '--bind', '127.0.0.1'],
                        { cwd: dossier, stdio: 'ignore' });
  const navigateur = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/lib/chromium/chromium', headless: true,
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-first-run',
           '--disable-background-networking', '--disable-component-update'],
  });
  try {
    await pause(500);
    const page = await navigateur.newPage();
    await page.setViewport({ width: 800, height: 640 });
    await page.evaluateOnNewDocument(espion);
    await page.goto(`http://127.0.0.1:${port}/index.html`);
    await page.waitForSelector('#jouer:not([disabled])', { timeout: 60000 });
    await page.evaluate(() => {
      const niveau = FS.readFile('/contenu/data/levels/level1.ini', { encoding: 'utf8' });
      FS.writeFile('/contenu/data/levels/mesure.ini', niveau.replace(/^nombreActeurs=.*$/m, 'nombreActeurs=0'));
      const lance = Module.callMain;
      Module.callMain = () => lance(['--niveau', './data/levels/mesure.ini', '--position', '2800']);
    });
    await page.click('#depart');
    await pause(5000);
    await page.keyboard.down('ArrowRight');
    const { images, appels } = await mesure(page, 'page');
    console.log('appels WebGL par image : ' +
                Object.entries(appels).map(([k, v]) => `${k} ${(v / images).toFixed(1)}`).join(', '));
    await page.evaluate(() => { window.__veutCapture = true; });
    const quads = await (await page.waitForFunction(() => window.__captureFinie && window.__capture)).jsonValue();
    await page.keyboard.up('ArrowRight');
    await page.close();
    console.log(`une image du jeu : ${quads.length} quads (${quads.filter(c => c.melange).length} mélangés), ` +
                `${new Set(quads.map(c => c.id)).size} textures, ` +
                `${quads.filter((c, k) => k && c.id !== quads[k - 1].id).length + 1} suites d'une même texture, ` +
                `surface ${(quads.reduce((s, c) => s + c.l * c.h, 0) / (640 * 480)).toFixed(2)} écrans`);
    for (const mode of ['lot', 'quad']) {
      const borne = await navigateur.newPage();
      await borne.setViewport({ width: 800, height: 640 });
      await borne.goto('file://' + path.join(__dirname, 'borne.html') + '?mode=' + mode);
      await borne.evaluate(q => window.demarre(q), quads);
      await pause(2000);
      await mesure(borne, 'borne ' + mode);
      await borne.close();
    }
  } finally {
    await navigateur.close();
    serveur.kill();
  }
}

main().catch(e => { console.error(e.message); process.exit(1); });
