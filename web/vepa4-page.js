// The page side of the browser build: fetches the archive pair served beside the page onto
// the program's file system, owns the canvas, routes input and runs the audio graph. Runs in
// the program's own script scope (FS, HEAP16 and ccall are the program's).
var Module = typeof Module !== 'undefined' ? Module : {};
(function () {
  'use strict';
  var params = new URLSearchParams(window.location.search);
  var args = [];
  if (params.has('seed')) args.push('--seed', params.get('seed'));
  if (params.has('record')) args.push('--record');
  Module.arguments = args;

  var stage = document.getElementById('stage');
  var canvas = document.getElementById('screen');
  var message = document.getElementById('message');
  var context = canvas.getContext('2d', { alpha: false });
  var ready = false;  // main has run: the entry points may be called
  var loaded = {};
  var total = {};

  function say(text) {
    message.textContent = text;
    message.style.display = text ? 'flex' : 'none';
  }

  Module.print = function (t) { console.log(t); };
  Module.printErr = function (t) { console.warn(t); };

  // --- Frames and layout.
  Module.vepaShowFrame = function (bytes, w, h) {
    if (canvas.width !== w || canvas.height !== h) {
      canvas.width = w;
      canvas.height = h;
      // The game draws its own pointer; the launcher's dialog needs the system's.
      stage.style.cursor = w === 640 && h === 480 ? 'none' : 'default';
    }
    var pixels = new Uint8ClampedArray(bytes.buffer, bytes.byteOffset, w * h * 4);
    context.putImageData(new ImageData(pixels, w, h), 0, 0);
    if (!Module.vepaFirstFrameMs) {
      Module.vepaFirstFrameMs = performance.now();
      say('');
    }
  };
  Module.vepaPlaceCanvas = function (x, y, w, h) {
    canvas.style.left = x + 'px';
    canvas.style.top = y + 'px';
    canvas.style.width = w + 'px';
    canvas.style.height = h + 'px';
  };
  Module.vepaGameOver = function () {
    ready = false;
    context.fillStyle = '#000';
    context.fillRect(0, 0, canvas.width, canvas.height);
    say('Игра закрыта. Обновите страницу, чтобы начать снова.');
    stage.style.cursor = 'default';
    if (document.fullscreenElement) document.exitFullscreen();
  };
  function layout() {
    if (!ready) return;
    var dpr = window.devicePixelRatio || 1;
    Module._vepa_web_layout(stage.clientWidth * dpr, stage.clientHeight * dpr, dpr);
  }

  // --- The archive: plain files on the program's file system, read by the game's archive code.
  function fetchInto(name) {
    var dep = 'fetch ' + name;
    addRunDependency(dep);
    fetch(name).then(function (response) {
      if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
      total[name] = Number(response.headers.get('Content-Length')) || 0;
      var reader = response.body.getReader();
      var parts = [];
      var size = 0;
      function pump() {
        return reader.read().then(function (r) {
          if (r.done) return;
          parts.push(r.value);
          size += r.value.length;
          loaded[name] = size;
          progress();
          return pump();
        });
      }
      return pump().then(function () {
        var bytes = new Uint8Array(size);
        var at = 0;
        parts.forEach(function (p) { bytes.set(p, at); at += p.length; });
        FS.writeFile('/data/' + name, bytes);
      });
    }).catch(function (e) {
      // The launcher's search then finds no archive and shows its picture for that.
      console.error('vepa4: ' + name + ' could not be loaded: ' + e.message);
    }).then(function () { removeRunDependency(dep); });
  }
  function progress() {
    var have = 0, want = 0;
    for (var k in loaded) have += loaded[k];
    for (var t in total) want += total[t];
    if (want > 0) say('Загрузка… ' + Math.floor(100 * have / want) + '%');
  }
  Module.preRun = [function () {
    FS.mkdir('/data');
    fetchInto('vepa4.gmd');
    fetchInto('vepa4.gam');
  }];
  Module.postRun = [function () {
    ready = true;
    layout();
    if (soundRunning) Module._vepa_web_audio_start(audio.sampleRate);
  }];
  window.addEventListener('resize', layout);

  // --- Sound: browsers allow it only after a click or key; the game runs silent until then.
  var audio = null;
  var soundRunning = false;
  var soundPeak = 0;  // the loudest sample handed to the audio graph, for the page's test
  function startSound() {
    if (audio) {
      // Made before a gesture that counts (Esc does not), it waits suspended: try again.
      if (audio.state === 'suspended') audio.resume().catch(function () {});
      return;
    }
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    try {
      audio = new Context();
    } catch (e) {
      console.warn('vepa4: no sound: ' + e.message);
      return;
    }
    var node = audio.createScriptProcessor(2048, 0, 2);
    node.onaudioprocess = function (ev) {
      var out = ev.outputBuffer;
      var left = out.getChannelData(0), right = out.getChannelData(1);
      if (!soundRunning || !ready) {
        left.fill(0);
        right.fill(0);
        return;
      }
      var n = out.length;
      var p = Module._vepa_web_mix(n) >> 1;
      var s = HEAP16;  // read after the call: the memory may have grown
      var peak = soundPeak;
      for (var i = 0; i < n; i++) {
        var l = s[p + 2 * i], r = s[p + 2 * i + 1];
        left[i] = l / 32768;
        right[i] = r / 32768;
        peak = Math.max(peak, l < 0 ? -l : l, r < 0 ? -r : r);
      }
      soundPeak = peak;
    };
    node.connect(audio.destination);
    Module.vepaAudioNode = node;  // kept referenced, or the node may be collected
    function started() {
      if (soundRunning || audio.state !== 'running') return;
      soundRunning = true;
      if (ready) Module._vepa_web_audio_start(audio.sampleRate);
    }
    audio.onstatechange = started;
    audio.resume().then(started, function (e) { console.warn('vepa4: no sound: ' + e.message); });
  }

  // --- Full screen: the stage fills the screen, the pointer is locked to it and moves the
  // game's own pointer, which stops at the picture's edges.
  function toggleFullScreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen();
      return;
    }
    if (!stage.requestFullscreen) return;
    stage.requestFullscreen().then(function () {
      // Esc belongs to the game; a long press of it still leaves full screen.
      if (navigator.keyboard && navigator.keyboard.lock)
        navigator.keyboard.lock(['Escape']).catch(function () {});
      if (stage.requestPointerLock) stage.requestPointerLock();
    }).catch(function (e) { console.warn('vepa4: full screen refused: ' + e.message); });
  }
  document.getElementById('fullscreen').addEventListener('click', function (e) {
    startSound();
    toggleFullScreen();
    e.currentTarget.blur();
  });
  document.addEventListener('fullscreenchange', function () {
    if (!document.fullscreenElement && document.pointerLockElement) document.exitPointerLock();
    layout();
  });

  // --- Input.
  function locked() { return document.pointerLockElement === stage; }
  function moveTo(e) {
    var r = canvas.getBoundingClientRect();
    if (locked())
      Module._vepa_web_mouse_move(e.movementX, e.movementY, r.width, r.height, 1);
    else
      Module._vepa_web_mouse_move(e.clientX - r.left, e.clientY - r.top, r.width, r.height, 0);
  }
  window.addEventListener('mousemove', function (e) {
    if (ready) moveTo(e);
  });
  stage.addEventListener('mousedown', function (e) {
    startSound();
    e.preventDefault();
    if (!ready) return;
    if (!locked()) moveTo(e);
    Module._vepa_web_mouse_button(e.button, 1);
  });
  window.addEventListener('mouseup', function (e) {
    if (ready) Module._vepa_web_mouse_button(e.button, 0);
  });
  stage.addEventListener('contextmenu', function (e) { e.preventDefault(); });
  function key(e, down) {
    if (!ready) return;
    if (ccall('vepa_web_key', 'number', ['string', 'number', 'number'],
              [e.code, down ? 1 : 0, e.altKey ? 1 : 0]))
      e.preventDefault();
  }
  window.addEventListener('keydown', function (e) {
    startSound();
    if (e.altKey && e.code === 'Enter') {
      e.preventDefault();
      if (!e.repeat) toggleFullScreen();
      return;
    }
    // The browser keeps its own shortcuts.
    if (e.ctrlKey || e.metaKey || e.code === 'F5' || e.code === 'F11' || e.code === 'F12') return;
    key(e, true);
  });
  window.addEventListener('keyup', function (e) { key(e, false); });
  window.addEventListener('blur', function () {
    if (ready) Module._vepa_web_blur();
  });

  // --- For tests and for replaying a session in the headless runner.
  window.vepa = {
    ticks: function () { return ready ? Module._vepa_web_ticks() : 0; },
    state: function () { return ready ? JSON.parse(ccall('vepa_web_state', 'string', [], [])) : null; },
    hold: function (on) { if (ready) Module._vepa_web_hold(on ? 1 : 0); },
    script: function () { return ready ? ccall('vepa_web_script', 'string', [], []) : ''; },
    firstFrameMs: function () { return Module.vepaFirstFrameMs || 0; },
    soundRunning: function () { return soundRunning; },
    // The loudest sample played since the last call, 0..32768.
    soundPeak: function () { var p = soundPeak; soundPeak = 0; return p; },
    ready: function () { return ready; }
  };
})();
