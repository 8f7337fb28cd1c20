// The page around the game: checks for WebGL 2 before anything is fetched,
// shows the data's download on a bar, hands the URL's options to the
// program, brings the keyboard to the canvas, and shows the program's fatal
// start-up messages. The program itself is mirelo.js (Emscripten's output).
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

  // URL options, as mirelo-headless takes them: ?seed=7&frames=600 becomes
  // --seed 7 --frames 600.
  const programArguments = [];
  for (const [name, value] of new URLSearchParams(window.location.search))
    programArguments.push('--' + name, value);

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
    onRuntimeInitialized: function () {
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

  // The keys the game reads must not scroll the page or open the browser's help.
  const gameKeys = new Set(['Space', 'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown',
    'ControlLeft', 'F1', 'F2', 'F3', 'F4', 'Escape']);
  canvas.addEventListener('keydown', function (event) {
    if (gameKeys.has(event.code)) event.preventDefault();
  });

  const script = document.createElement('script');
  script.src = 'mirelo.js';
  script.onerror = function () {
    Module.showError('The game could not be fetched (mirelo.js).', 'An error occurred');
  };
  document.body.appendChild(script);
})();
