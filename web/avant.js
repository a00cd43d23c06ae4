// Runs before the game: the content is packed under /contenu, the game's
// working folder; config.ini is kept in the browser's storage (IDBFS) and
// copied back over the packed one at each visit.
(function () {
  var SAUVEGARDE = '/sauvegarde';
  var CONFIG = '/contenu/config.ini';
  var dateConfig = 0;

  function sauveConfig() {
    var date;
    try { date = FS.stat(CONFIG).mtime.getTime(); } catch (e) { return; }
    if (date === dateConfig) return;
    dateConfig = date;
    FS.writeFile(SAUVEGARDE + '/config.ini', FS.readFile(CONFIG));
    FS.syncfs(false, function (erreur) { if (erreur) console.warn('Sauvegarde impossible : ' + erreur); });
  }

  Module.preRun = Module.preRun || [];
  Module.preRun.push(function () {
    FS.mkdir(SAUVEGARDE);
    FS.mount(IDBFS, {}, SAUVEGARDE);
    addRunDependency('sauvegarde');
    FS.syncfs(true, function (erreur) {
      if (erreur) console.warn('Réglages enregistrés illisibles : ' + erreur);
      removeRunDependency('sauvegarde');
    });
  });

  var initialise = Module.onRuntimeInitialized;
  Module.onRuntimeInitialized = function () {
    try {
      FS.writeFile(CONFIG, FS.readFile(SAUVEGARDE + '/config.ini'));
    } catch (e) {
      // First visit: the packed settings.
    }
    try { dateConfig = FS.stat(CONFIG).mtime.getTime(); } catch (e) {}
    FS.chdir('/contenu');
    // The game writes its settings when the player changes them.
    setInterval(sauveConfig, 1000);
    addEventListener('pagehide', sauveConfig);
    var sortie = Module.onExit;
    Module.onExit = function (statut) {
      sauveConfig();
      if (sortie) sortie(statut);
    };
    if (initialise) initialise();
  };
})();
