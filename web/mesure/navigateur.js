// The page's frames against the bound the browser allows, in one headless
// chromium: the game's first level without its actors, from the usual
// start, 20 s walking right; then borne.html drawing that frame's quads
// (captured from the game: quad and texture sizes, all blended) with plain
// WebGL, batched (one upload a frame) and quad by quad.
// Per frame: the interval between browser frames (p50, p99, share over
// 20 ms) and the main thread's task time (chromium's own counter).
// Usage: node navigateur.js BUILD_WEB_DIR [--profil]
// --profil then samples each page's main thread for 10 s and prints where
// its time goes, by function and by kind (the game's wasm, the emulated
// GL's JavaScript, Asyncify's, the browser's SDL; build with
// --profiling-funcs for the wasm functions' names), then by trace event
// (script, commit, command buffer flushes) over 5 s.
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');

const args = process.argv.slice(2);
const profil = args.includes('--profil');
const dossier = path.resolve(args.find(a => !a.startsWith('--')) || path.join(__dirname, '..', '..', 'build-web'));
const DUREE = 20000;
const pause = ms => new Promise(ok => setTimeout(ok, ms));
const q = (v, p) => v[Math.min(v.length - 1, Math.floor(p * v.length))].toFixed(2);

// Times the frames and notes the textures' sizes. Once the frames are
// timed, __espionne() also counts WebGL calls and, on request, captures one
// game frame's quads (from one clear to the next): wrapping every call
// costs the page time, so it stays out of the timed frames.
function espion() {
  window.__images = [];
  window.__appels = {};
  window.__capture = null;
  const G = WebGLRenderingContext.prototype;
  const tailles = new WeakMap();
  const texImage = G.texImage2D;
  G.texImage2D = function (...a) {
    const t = this.getParameter(this.TEXTURE_BINDING_2D);
    if (t) tailles.set(t, a.length >= 9 ? [a[3], a[4]] : [a[5].width, a[5].height]);
    return texImage.apply(this, a);
  };
  // Each texture's filter, so that the bound samples as the game does.
  const filtres = new WeakMap();
  const texParameteri = G.texParameteri;
  G.texParameteri = function (cible, nom, valeur) {
    const t = this.getParameter(this.TEXTURE_BINDING_2D);
    if (t && nom === this.TEXTURE_MAG_FILTER) filtres.set(t, valeur);
    return texParameteri.call(this, cible, nom, valeur);
  };
  const rAF = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = f => rAF(t => { window.__images.push(performance.now()); f(t); });

  window.__espionne = () => {
    const avant = (n, f) => { const v = G[n]; G[n] = function (...a) { f.apply(this, a); return v.apply(this, a); }; };
    for (const n of ['drawArrays', 'drawElements', 'bufferData', 'bufferSubData', 'texImage2D', 'texSubImage2D',
                     'bindTexture', 'useProgram', 'uniformMatrix4fv', 'uniform4fv', 'uniform4f', 'vertexAttribPointer', 'enable', 'disable',
                     'blendFunc', 'bindBuffer', 'enableVertexAttribArray', 'disableVertexAttribArray'])
      avant(n, () => { window.__appels[n] = (window.__appels[n] || 0) + 1; });
    const ids = new WeakMap();
    let texture = null, melange = false, capte = false, prochainId = 0;
    // The game's quad program gives each quad as a uniform array of 12
    // (first vertex, two edges, texture rectangle): its size is the edges'.
    let programme = null, programmeQuad = null, quad = null;
    avant('useProgram', p => { programme = p; });
    avant('uniform4fv', (lieu, v) => {
      if (v && v.length === 12) { programmeQuad = programme; quad = [Math.hypot(v[2], v[3]), Math.hypot(v[4], v[5])]; }
    });
    avant('bindTexture', (c, t) => { texture = t; if (t && !ids.has(t)) ids.set(t, ++prochainId); });
    avant('enable', c => { if (c === G.BLEND) melange = true; });
    avant('disable', c => { if (c === G.BLEND) melange = false; });
    // The quad path binds its program and turns blending on once, when it
    // takes the context: have it taken again so both are seen.
    if (window.GLImmediate) GLImmediate.fixedFunctionProgram = 0;
    avant('clear', () => {
      if (capte) { capte = false; window.__captureFinie = true; }
      else if (window.__veutCapture && !window.__capture) { window.__capture = []; capte = true; }
    });
    avant('drawArrays', () => {
      if (capte && programme && programme === programmeQuad)
        window.__capture.push({ id: ids.get(texture) || 0, tex: tailles.get(texture) || [1, 1], l: quad[0], h: quad[1],
                                melange, filtre: filtres.get(texture) || G.NEAREST });
    });
  };
}

// CPU time (ms) of this chromium's GPU process (where swiftshader draws),
// of its renderers and of their main threads, from /proc: other chromiums
// may run beside it. Unlike the main thread's task time, CPU time does not
// grow when other programs take the cores.
let navigateurPid = 0;
function cpuChromium() {
  const r = { gpu: 0, rendu: 0, principal: 0 };
  const procs = new Map();
  for (const pid of fs.readdirSync('/proc').filter(n => /^\d+$/.test(n))) {
    try {
      const champs = fs.readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
      // A process's main thread has the process's id.
      const fil = fs.readFileSync(`/proc/${pid}/task/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
      procs.set(Number(pid), { ppid: Number(champs[1]), ms: (Number(champs[11]) + Number(champs[12])) * 10,
                               principal: (Number(fil[11]) + Number(fil[12])) * 10,
                               ligne: fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8') });
    } catch (e) {
      // gone meanwhile
    }
  }
  const descend = pid => { for (let p = pid; p > 1 && procs.has(p); p = procs.get(p).ppid) if (p === navigateurPid) return true; return false; };
  for (const [pid, p] of procs) {
    if (!descend(pid)) continue;
    if (p.ligne.includes('--type=gpu-process')) r.gpu += p.ms;
    else if (p.ligne.includes('--type=renderer')) { r.rendu += p.ms; r.principal += p.principal; }
  }
  return r;
}

// Frames and main-thread time over DUREE.
async function mesure(page, nom) {
  const cdp = await page.target().createCDPSession();
  await cdp.send('Performance.enable');
  const taches = async () => (await cdp.send('Performance.getMetrics')).metrics.find(m => m.name === 'TaskDuration').value;
  const debut = await page.evaluate(() => window.__images.length);
  const t0 = await taches(), c0 = cpuChromium();
  await pause(DUREE);
  const t1 = await taches(), c1 = cpuChromium();
  const images = (await page.evaluate(() => window.__images)).slice(debut);
  const iv = images.slice(1).map((t, k) => t - images[k]).sort((a, b) => a - b);
  console.log(`${nom} : ${images.length} images, intervalle p50 ${q(iv, .5)} ms p99 ${q(iv, .99)} ms, ` +
              `${(100 * iv.filter(x => x > 20).length / iv.length).toFixed(1)} % > 20 ms ; fil principal par image ` +
              `${(1000 * (t1 - t0) / images.length).toFixed(2)} ms (CPU ` +
              `${((c1.principal - c0.principal) / images.length).toFixed(2)} ms), CPU du rendu ` +
              `${((c1.rendu - c0.rendu) / images.length).toFixed(2)} ms et du GPU ${((c1.gpu - c0.gpu) / images.length).toFixed(2)} ms`);
}

// Self time by function over `duree` ms, and by kind, per browser frame.
async function profile(page, duree) {
  const cdp = await page.target().createCDPSession();
  await cdp.send('Profiler.enable');
  await cdp.send('Profiler.setSamplingInterval', { interval: 200 });
  const debut = await page.evaluate(() => window.__images.length);
  await cdp.send('Profiler.start');
  await pause(duree);
  const { profile: p } = await cdp.send('Profiler.stop');
  const images = (await page.evaluate(() => window.__images.length)) - debut;
  const parNoeud = new Map(p.nodes.map(n => [n.id, n]));
  const soi = new Map();
  p.samples.forEach((id, k) => {
    const dt = (p.timeDeltas[k + 1] || 0) / 1000;
    soi.set(id, (soi.get(id) || 0) + dt);
  });
  const parFonction = new Map();
  for (const [id, ms] of soi) {
    const f = parNoeud.get(id).callFrame;
    const nom = `${f.functionName || '(anonyme)'} ${f.url.startsWith('wasm') ? '[wasm]' : ''}`.trim();
    parFonction.set(nom, (parFonction.get(nom) || 0) + ms);
  }
  const genre = nom => {
    if (nom.endsWith('[wasm]')) return 'wasm';
    if (/^\((idle|program|garbage collector|root)\)$/.test(nom)) return nom;
    if (/^_?(emscripten_)?gl[A-Z]|GL|[Rr]enderer|prepare|flush|cleanup|TexEnv|traverseState|getRenderer|MapTree/.test(nom))
      return 'GL émulé';
    if (/[Aa]syncify|handleSleep|maybeStopUnwind|rewind|unwind|wakeUp/.test(nom)) return 'Asyncify';
    if (/SDL|_SDL/.test(nom)) return 'SDL';
    return 'autre JS';
  };
  const parGenre = {};
  for (const [nom, ms] of parFonction) parGenre[genre(nom)] = (parGenre[genre(nom)] || 0) + ms;
  console.log(`profil : ${images} images ; par image (ms) : ` +
              Object.entries(parGenre).sort((a, b) => b[1] - a[1])
                .map(([g, ms]) => `${g} ${(ms / images).toFixed(3)}`).join(', '));
  [...parFonction].sort((a, b) => b[1] - a[1]).slice(0, 30)
    .forEach(([nom, ms]) => console.log(`  ${(ms / images).toFixed(3)} ms  ${nom}`));
}

// The main thread's time by trace event (self time, nested events taken
// out), per browser frame, over `duree` ms.
async function trace(page, duree) {
  const fichier = path.join(require('os').tmpdir(), `trace-${process.pid}.json`);
  const debut = await page.evaluate(() => window.__images.length);
  await page.tracing.start({ path: fichier, categories: ['toplevel', 'devtools.timeline', 'v8', 'blink', 'cc', 'gpu'] });
  await pause(duree);
  await page.tracing.stop();
  const images = (await page.evaluate(() => window.__images.length)) - debut;
  const { traceEvents: ev } = JSON.parse(fs.readFileSync(fichier, 'utf8'));
  fs.unlinkSync(fichier);
  const principal = new Set(ev.filter(e => e.name === 'thread_name' && e.args.name === 'CrRendererMain')
                               .map(e => `${e.pid}:${e.tid}`));
  const soi = new Map();
  const parFil = new Map();
  for (const e of ev.filter(e => e.ph === 'X' && e.dur !== undefined && principal.has(`${e.pid}:${e.tid}`))) {
    const cle = `${e.pid}:${e.tid}`;
    if (!parFil.has(cle)) parFil.set(cle, []);
    parFil.get(cle).push(e);
  }
  for (const liste of parFil.values()) {
    liste.sort((a, b) => a.ts - b.ts || b.dur - a.dur);
    const pile = [];
    for (const e of liste) {
      while (pile.length && pile[pile.length - 1].ts + pile[pile.length - 1].dur <= e.ts) pile.pop();
      if (pile.length) soi.set(pile[pile.length - 1].name, (soi.get(pile[pile.length - 1].name) || 0) - e.dur);
      soi.set(e.name, (soi.get(e.name) || 0) + e.dur);
      pile.push(e);
    }
  }
  const total = [...soi.values()].reduce((a, b) => a + b, 0);
  console.log(`trace : ${images} images, ${(total / 1000 / images).toFixed(3)} ms par image sur le fil principal`);
  [...soi].sort((a, b) => b[1] - a[1]).slice(0, 15)
    .forEach(([nom, us]) => console.log(`  ${(us / 1000 / images).toFixed(3)} ms  ${nom}`));
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
  navigateurPid = navigateur.process().pid;
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
    await mesure(page, 'page');
    if (profil) await profile(page, 10000);
    if (profil) await trace(page, 5000);
    const avant = await page.evaluate(() => { window.__espionne(); return window.__images.length; });
    await pause(3000);
    const [images, appels] = await page.evaluate(() => [window.__images.length, window.__appels]);
    console.log('appels WebGL par image : ' +
                Object.entries(appels).map(([k, v]) => `${k} ${(v / (images - avant)).toFixed(1)}`).join(', '));
    await page.evaluate(() => { window.__veutCapture = true; });
    const quads = await (await page.waitForFunction(() => window.__captureFinie && window.__capture)).jsonValue();
    await page.keyboard.up('ArrowRight');
    await page.close();
    console.log(`une image du jeu : ${quads.length} quads (${quads.filter(c => c.melange).length} mélangés), ` +
                `${new Set(quads.map(c => c.id)).size} textures, ` +
                `${quads.filter((c, k) => k && c.id !== quads[k - 1].id).length + 1} suites d'une même texture, ` +
                `surface ${(quads.reduce((s, c) => s + c.l * c.h, 0) / (640 * 480)).toFixed(2)} écrans, ` +
                `${quads.filter(c => c.filtre !== 0x2600).length} filtrés linéairement`);
    for (const mode of ['lot', 'quad']) {
      const borne = await navigateur.newPage();
      await borne.setViewport({ width: 800, height: 640 });
      await borne.goto('file://' + path.join(__dirname, 'borne.html') + '?mode=' + mode);
      await borne.evaluate(q => window.demarre(q), quads);
      await pause(2000);
      await mesure(borne, 'borne ' + mode);
      if (profil) await profile(borne, 10000);
      if (profil) await trace(borne, 5000);
      await borne.close();
    }
  } finally {
    await navigateur.close();
    serveur.kill();
  }
}

main().catch(e => { console.error(e.message); process.exit(1); });
