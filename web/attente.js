// The frame wait (attendImageNavigateur in src/foundation/Temps.cpp): the
// program sleeps until the browser's next frame callback. Woken through
// callUserCallback, as emscripten_sleep's timer is, so that when the game
// ends during this wake the runtime exits and the page learns it.
mergeInto(LibraryManager.library, {
  attendRappelImage__deps: ['$callUserCallback', '$runtimeKeepalivePush', '$runtimeKeepalivePop'],
  attendRappelImage: function () {
    Asyncify.handleSleep(function (reveil) {
      runtimeKeepalivePush();
      requestAnimationFrame(function () {
        runtimeKeepalivePop();
        callUserCallback(reveil);
      });
    });
  },
});
