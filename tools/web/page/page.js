// The page around the game: checks for WebGL 2 before anything is fetched,
// shows the data's download on a bar, hands the URL's test hooks to the
// program, brings the keyboard to the canvas, and shows the program's fatal
// start-up messages. The program itself is mirelo.js (Emscripten's output);
// its web backend keeps the game's keys from scrolling the page.
'use strict';

(function () {
  const canvas = document.getElementById('canvas');
  const loading = document.getElementById('loading');
  const statusText = document.getElementById('status');
  const progress = document.getElementById('progress');
  const focusHint = document.getElementById('focus-hint');

  function show(id) { document.getElementById(id).classList.remove('hidden'); }
  function hide(element) { element.classList.add('hidden'); }

  // Without WebGL 2 the program could only fail: say so and fetch nothing.
  if (!document.createElement('canvas').getContext('webgl2')) {
    hide(loading);
    show('no-webgl2');
    console.info('TAVO 6 Mirelo: no WebGL 2 in this browser');
    return;
  }

  // The test hooks of the URL, as mirelo-headless takes them: ?seed=7&dt=0.016
  // becomes --seed 7 --dt 0.016. input= names a key script relative to the
  // page; it is fetched first and handed over in the program's file system.
  // Other parameters are not the game's.
  const params = new URLSearchParams(window.location.search);
  const programArguments = [];
  for (const name of ['seed', 'dt', 'frames'])
    if (params.has(name)) programArguments.push('--' + name, params.get(name));
  const inputUrl = params.get('input');
  const INPUT_FILE = '/input.keys';
  if (inputUrl !== null) programArguments.push('--input', INPUT_FILE);

  // Set by the program when a run with frames= has ended.
  window.mireloDone = false;
  // The state of the game as mirelo-headless --state writes it (null before
  // the game has started).
  let runtimeReady = false;
  window.mireloState = function () {
    if (!runtimeReady) return null;
    const text = Module.UTF8ToString(Module._mirelo_state());
    return text ? JSON.parse(text) : null;
  };

  // The sound as the speakers get it: the audio context's state ("none"
  // before the game has opened one) and the RMS level (0 to 1) of the last
  // ~0.1 s played. The web backend keeps Module.audioOutput.
  window.mireloAudio = function () {
    const output = window.Module && Module.audioOutput;
    return output ? output.report() : { state: 'none', level: 0 };
  };

  // Emscripten's file packager reports "Downloading data... (done/total)".
  const fraction = /\((\d+(?:\.\d+)?)\/(\d+(?:\.\d+)?)\)/;

  window.Module = {
    canvas: canvas,
    arguments: programArguments,
    setStatus: function (text) {
      if (!text) return;
      statusText.textContent = text.replace(fraction, '').trim() || 'Loading\u2026';
      const parts = fraction.exec(text);
      if (parts && Number(parts[2]) > 0) progress.value = Number(parts[1]) / Number(parts[2]);
    },
    preRun: [],
    onRuntimeInitialized: function () {
      runtimeReady = true;
      hide(loading);
      canvas.focus();
    },
    // The two fatal start-up failures, with the desktop's texts and caption.
    showError: function (text, caption) {
      hide(loading);
      document.getElementById('error-caption').textContent = caption;
      document.getElementById('error-text').textContent = text;
      show('error');
    },
  };

  // Click or any key brings the keyboard to the game.
  canvas.addEventListener('click', function () { canvas.focus(); });
  document.addEventListener('keydown', function () {
    if (document.activeElement !== canvas) canvas.focus();
  });
  canvas.addEventListener('focus', function () { hide(focusHint); });
  canvas.addEventListener('blur', function () { focusHint.classList.remove('hidden'); });

  // The mute button does what M does; the keyboard goes back to the game.
  // The sound itself starts on the first click or key (the web backend).
  const mute = document.getElementById('mute');
  mute.addEventListener('click', function () {
    if (!runtimeReady) return;
    mute.setAttribute('aria-pressed', Module._mirelo_toggle_mute() ? 'true' : 'false');
    canvas.focus();
  });

  // Full screen through the browser's Fullscreen API: the button, and F11
  // (which the browser would otherwise spend on its own full-screen window).
  const stage = document.getElementById('stage');
  function toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else stage.requestFullscreen().then(function () { canvas.focus(); });
  }
  document.getElementById('fullscreen').addEventListener('click', toggleFullscreen);
  document.addEventListener('keydown', function (event) {
    if (event.code !== 'F11' || event.repeat) return;
    event.preventDefault();
    toggleFullscreen();
  });

  function loadProgram() {
    const script = document.createElement('script');
    script.src = 'mirelo.js';
    script.onerror = function () {
      Module.showError('The game could not be fetched (mirelo.js).', 'An error occurred');
    };
    document.body.appendChild(script);
  }

  if (inputUrl === null) {
    loadProgram();
  } else {
    fetch(new URL(inputUrl, window.location.href)).then(function (response) {
      if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
      return response.text();
    }).then(function (text) {
      Module.preRun.push(function () { Module.FS.writeFile(INPUT_FILE, text); });
      loadProgram();
    }).catch(function (error) {
      console.error('TAVO 6 Mirelo: the key script ' + inputUrl + ' could not be fetched: ' + error.message);
      Module.showError('The key script ' + inputUrl + ' could not be fetched (' + error.message + ').',
        'An error occurred');
    });
  }
})();
