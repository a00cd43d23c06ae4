// Runs before the game: the content is packed under /contenu, the game's
// working folder; the player's files (config.ini, records.ini) are kept in
// the browser's storage (IDBFS) and copied back over the packed ones at each
// visit.
(function () {
  var SAUVEGARDE = '/sauvegarde';
  var FICHIERS = ['config.ini', 'records.ini'];
  var dates = {};

  function dateDe(nom) {
    try { return FS.stat('/contenu/' + nom).mtime.getTime(); } catch (e) { return 0; }
  }

  function sauveFichiers() {
    var change = false;
    FICHIERS.forEach(function (nom) {
      var date = dateDe(nom);
      if (!date || date === dates[nom]) return;
      dates[nom] = date;
      FS.writeFile(SAUVEGARDE + '/' + nom, FS.readFile('/contenu/' + nom));
      change = true;
    });
    if (!change) return;
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
    FICHIERS.forEach(function (nom) {
      try {
        FS.writeFile('/contenu/' + nom, FS.readFile(SAUVEGARDE + '/' + nom));
      } catch (e) {
        // First visit: the packed settings, no records yet.
      }
      dates[nom] = dateDe(nom);
    });
    FS.chdir('/contenu');
    // The game writes its settings when the player changes them, its
    // records when a level is finished.
    setInterval(sauveFichiers, 1000);
    addEventListener('pagehide', sauveFichiers);
    var sortie = Module.onExit;
    Module.onExit = function (statut) {
      sauveFichiers();
      if (sortie) sortie(statut);
    };
    if (initialise) initialise();
  };
})();
