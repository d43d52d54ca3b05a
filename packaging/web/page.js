// The page around the game: the loading bar, the click that starts sound and captures the
// mouse, the fullscreen button, messages, and the settings kept in the browser between
// visits. The game's platform layer calls Module.hoshikagePage (engine/platform/BrowserPage).
'use strict';
(function () {
  const $ = (id) => document.getElementById(id);
  const canvas = $('canvas');
  const stage = $('stage');
  const loading = $('loading');
  const start = $('start');
  const message = $('message');
  // The game keeps its settings at ~/.config/hoshikage/settings.ini; on a page that folder
  // lives in IndexedDB, read in before the game starts and written back after changes.
  const settingsDir = '/home/web_user/.config/hoshikage';
  let settingsReady = false;
  let syncing = false;
  let started = false;

  function saveSettings() {
    if (!settingsReady || syncing) return;
    syncing = true;
    FS.syncfs(false, (error) => {
      syncing = false;
      if (error) console.warn('hoshikage: the settings could not be kept:', error);
    });
  }

  function mountSettings() {
    FS.mkdirTree(settingsDir);
    FS.mount(IDBFS, {}, settingsDir);
    addRunDependency('hoshikage-settings');
    let answered = false;
    const ready = (error) => {
      if (answered) return;
      answered = true;
      if (error) console.warn('hoshikage: no settings from an earlier visit:', error);
      settingsReady = !error;
      removeRunDependency('hoshikage-settings');
    };
    FS.syncfs(true, ready);
    // A browser that keeps its storage from the page (or never answers) must not keep the
    // game from starting: it starts with the defaults.
    setTimeout(() => ready('the browser\'s storage did not answer'), 10000);
    // The game writes the file when the player changes something (volume, mute,
    // fullscreen); copying the folder back is cheap when nothing changed.
    setInterval(saveSettings, 2000);
    addEventListener('pagehide', saveSettings);
    document.addEventListener('visibilitychange', () => {
      if (document.visibilityState === 'hidden') saveSettings();
    });
  }

  function show(text, isError) {
    message.textContent = text;
    message.classList.toggle('error', !!isError);
    message.hidden = false;
    loading.hidden = true;
    start.hidden = true;
    if (document.pointerLockElement) document.exitPointerLock();
  }

  const page = {
    frames: 0,
    firstFrameMs: null,
    ended: false,
    errors: [],
    framePresented() {
      if (this.frames++ === 0) {
        this.firstFrameMs = performance.now();
        loading.hidden = true;
        if (!started) start.hidden = false;
      }
    },
    showMessage(caption, text, isError) {
      if (isError) this.errors.push(caption + ': ' + text);
      show(caption + '\n\n' + text, isError);
    },
    gameEnded() {
      this.ended = true;
      saveSettings();
      if (message.hidden) show('The game has ended. Reload the page to play again.', false);
    },
  };

  function captureMouse() {
    if (document.pointerLockElement !== canvas && canvas.requestPointerLock) {
      const request = canvas.requestPointerLock();
      // Newer browsers answer with a promise, refused when the page may not lock now.
      if (request && request.catch) request.catch(() => {});
    }
  }

  start.addEventListener('click', () => {
    started = true;
    start.hidden = true;
    // Browsers start sound only after a gesture on the page; this is it.
    if (typeof AL !== 'undefined' && AL.currentCtx) AL.currentCtx.audioCtx.resume();
    canvas.focus();
    captureMouse();
  });
  // Escape gives the mouse back; a click on the picture takes it again.
  canvas.addEventListener('mousedown', () => {
    if (started && !page.ended) captureMouse();
  });
  $('fullscreen').addEventListener('click', () => {
    if (document.fullscreenElement) document.exitFullscreen();
    else if (stage.requestFullscreen) stage.requestFullscreen().catch(() => {});
  });
  addEventListener('error', (event) => {
    page.errors.push(String(event.message));
  });

  window.Module = {
    canvas,
    hoshikagePage: page,
    preRun: [mountSettings],
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
    // The data download reports "Downloading data... (done/total)".
    setStatus(text) {
      const parts = /\((\d+(?:\.\d+)?)\/(\d+(?:\.\d+)?)\)/.exec(text);
      if (parts) $('progress').style.width = (100 * parts[1] / parts[2]).toFixed(1) + '%';
      $('status').textContent = parts ? 'Loading… ' + Math.round(parts[2] / 1e6) + ' MB'
                                      : (text || 'Starting…');
    },
    onAbort(what) {
      page.showMessage('エラー', 'The game stopped: ' + what, true);
    },
  };
})();
