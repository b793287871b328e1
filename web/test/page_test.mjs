// The page in headless Chromium, driven through its DevTools protocol: the publisher logo, two
// Esc presses to the start menu, Enter into the kiosk, a click on the dartboard that makes the
// cashier speak. At each of those moments the ticks are held, the canvas is photographed by the
// browser and the same moment is replayed by the headless runner from the page's own input
// script and seed: the pixels must be the same. Then the tick rate over a minute, and the page
// without its archive (the launcher's picture).
//
// node --experimental-websocket web/test/page_test.mjs --page URL --bare URL --headless BIN
//      --data DIR --out DIR [--minute SECONDS]
import { spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';

const args = {};
for (let i = 2; i < process.argv.length; i += 2) args[process.argv[i].replace(/^--/, '')] = process.argv[i + 1];
for (const need of ['page', 'bare', 'headless', 'data', 'out'])
  if (!args[need]) throw new Error(`--${need} is required`);
const minuteSeconds = Number(args.minute || 60);
const seed = 7;
const chromiumBin = args.chromium || 'chromium';
fs.mkdirSync(args.out, { recursive: true });

let passed = 0, failed = 0;
const figures = {};
function check(ok, what, detail = '') {
  if (ok) {
    passed++;
    console.log(`ok   ${what}${detail ? ': ' + detail : ''}`);
  } else {
    failed++;
    console.log(`FAIL ${what}${detail ? ': ' + detail : ''}`);
  }
  return ok;
}
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// --- PNG reading (8-bit RGB or RGBA, not interlaced: what Chromium and our runner write).
function readPng(buf) {
  if (buf.readUInt32BE(0) !== 0x89504e47) throw new Error('not a PNG');
  let at = 8, width = 0, height = 0, type = 0;
  const idat = [];
  while (at < buf.length) {
    const len = buf.readUInt32BE(at), kind = buf.toString('ascii', at + 4, at + 8);
    const data = buf.subarray(at + 8, at + 8 + len);
    if (kind === 'IHDR') {
      width = data.readUInt32BE(0);
      height = data.readUInt32BE(4);
      type = data[9];
      if (data[8] !== 8 || (type !== 2 && type !== 6) || data[12] !== 0)
        throw new Error(`PNG kind not read here (depth ${data[8]}, type ${type})`);
    } else if (kind === 'IDAT') idat.push(data);
    at += 12 + len;
  }
  const raw = zlib.inflateSync(Buffer.concat(idat));
  const bpp = type === 6 ? 4 : 3, stride = width * bpp;
  const out = Buffer.alloc(width * height * 3);
  const prev = Buffer.alloc(stride), row = Buffer.alloc(stride);
  for (let y = 0; y < height; y++) {
    const f = raw[y * (stride + 1)];
    raw.copy(row, 0, y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let i = 0; i < stride; i++) {
      const a = i >= bpp ? row[i - bpp] : 0, b = prev[i], c = i >= bpp ? prev[i - bpp] : 0;
      let v = row[i];
      if (f === 1) v += a;
      else if (f === 2) v += b;
      else if (f === 3) v += (a + b) >> 1;
      else if (f === 4) {
        const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        v += pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      row[i] = v & 255;
    }
    row.copy(prev);
    for (let x = 0; x < width; x++)
      for (let k = 0; k < 3; k++) out[(y * width + x) * 3 + k] = row[x * bpp + k];
  }
  return { width, height, rgb: out };
}
function comparePictures(a, b) {
  if (a.width !== b.width || a.height !== b.height) return { same: false, why: `sizes ${a.width}x${a.height} and ${b.width}x${b.height}` };
  let differing = 0, first = -1;
  for (let i = 0; i < a.width * a.height; i++) {
    const o = i * 3;
    if (a.rgb[o] !== b.rgb[o] || a.rgb[o + 1] !== b.rgb[o + 1] || a.rgb[o + 2] !== b.rgb[o + 2]) {
      if (first < 0) first = i;
      differing++;
    }
  }
  return { same: differing === 0, why: differing ? `${differing} pixels differ, the first at (${first % a.width}, ${Math.floor(first / a.width)})` : '' };
}
function distinctColours(p) {
  const seen = new Set();
  for (let i = 0; i < p.width * p.height && seen.size < 50; i += 7) seen.add(p.rgb.readUIntBE(i * 3, 3));
  return seen.size;
}

// --- Chromium and its DevTools protocol.
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vepa4-chromium-'));
const chromium = spawn(chromiumBin, [
  '--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run', '--no-default-browser-check',
  '--disable-extensions', '--mute-audio', '--force-color-profile=srgb', '--force-device-scale-factor=1',
  '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
  '--window-size=640,508', `--user-data-dir=${profile}`, '--remote-debugging-port=0', 'about:blank',
], { stdio: ['ignore', 'ignore', 'pipe'] });
let closing = false;
function finish(code) {
  if (!closing) {
    closing = true;
    chromium.kill('SIGTERM');
  }
  setTimeout(() => {
    fs.rmSync(profile, { recursive: true, force: true });
    process.exit(code);
  }, 500);
}
const hardLimit = setTimeout(() => {
  console.log('FAIL the browser test did not finish within its time limit');
  finish(1);
}, (minuteSeconds + 150) * 1000);

const wsUrl = await new Promise((resolve, reject) => {
  let text = '';
  chromium.stderr.on('data', (d) => {
    text += d;
    const m = text.match(/DevTools listening on (ws:\/\/\S+)/);
    if (m) resolve(m[1]);
  });
  chromium.on('exit', (c) => reject(new Error(`chromium ended (${c}) before it listened: ${text.slice(-500)}`)));
  setTimeout(() => reject(new Error('chromium did not start its DevTools server')), 30000);
});
const port = new URL(wsUrl).port;
const targets = await (await fetch(`http://127.0.0.1:${port}/json/list`)).json();
const target = targets.find((t) => t.type === 'page');
const socket = new WebSocket(target.webSocketDebuggerUrl);
await new Promise((r, j) => { socket.onopen = r; socket.onerror = j; });
let nextId = 1;
const pending = new Map();
const consoleLines = [];
socket.onmessage = (m) => {
  const msg = JSON.parse(m.data);
  if (msg.id && pending.has(msg.id)) {
    const { resolve, reject } = pending.get(msg.id);
    pending.delete(msg.id);
    if (msg.error) reject(new Error(`${msg.error.message}`));
    else resolve(msg.result);
  } else if (msg.method === 'Runtime.consoleAPICalled') {
    consoleLines.push(msg.params.args.map((a) => a.value ?? a.description ?? '').join(' '));
  } else if (msg.method === 'Runtime.exceptionThrown') {
    consoleLines.push('exception: ' + (msg.params.exceptionDetails.exception?.description ?? msg.params.exceptionDetails.text));
  }
};
function send(method, params = {}) {
  const id = nextId++;
  socket.send(JSON.stringify({ id, method, params }));
  return new Promise((resolve, reject) => pending.set(id, { resolve, reject }));
}
async function evaluate(expression) {
  const r = await send('Runtime.evaluate', { expression, returnByValue: true, awaitPromise: true });
  if (r.exceptionDetails) throw new Error(`${expression}: ${r.exceptionDetails.exception?.description ?? r.exceptionDetails.text}`);
  return r.result.value;
}
async function waitFor(expression, what, timeoutMs = 20000) {
  const start = Date.now();
  for (;;) {
    const v = await evaluate(expression);
    if (v) return v;
    if (Date.now() - start > timeoutMs) throw new Error(`timed out waiting for ${what}`);
    await sleep(20);
  }
}
const state = () => evaluate('window.vepa && window.vepa.state()');
const ticks = () => evaluate('window.vepa ? window.vepa.ticks() : 0');
const waitTicks = async (n) => { const t = await ticks(); await waitFor(`window.vepa.ticks() >= ${t + n}`, `${n} ticks`); };

async function key(code, vk) {
  const common = { code, key: code, windowsVirtualKeyCode: vk, nativeVirtualKeyCode: vk };
  await send('Input.dispatchKeyEvent', { type: 'rawKeyDown', ...common });
  await waitTicks(2);
  await send('Input.dispatchKeyEvent', { type: 'keyUp', ...common });
  await waitTicks(1);
}
async function canvasBox() {
  return evaluate(`(() => { const r = document.getElementById('screen').getBoundingClientRect();
    return { x: r.left, y: r.top, w: r.width, h: r.height }; })()`);
}
// Holds the ticks, photographs the canvas and notes the tick the picture belongs to.
const shots = [];
async function photograph(name) {
  await evaluate('window.vepa.hold(true)');
  await sleep(80);  // the last tick's frame is on screen
  const box = await canvasBox();
  const t = await ticks();
  const shot = await send('Page.captureScreenshot', { format: 'png', clip: { x: box.x, y: box.y, width: box.w, height: box.h, scale: 1 } });
  const file = path.join(args.out, `browser-${name}.png`);
  fs.writeFileSync(file, Buffer.from(shot.data, 'base64'));
  const s = await state();
  shots.push({ name, tick: t, file, state: s });
  await evaluate('window.vepa.hold(false)');
  return s;
}

async function main() {
  await send('Page.enable');
  await send('Runtime.enable');
  await send('Emulation.setDeviceMetricsOverride', { width: 640, height: 508, deviceScaleFactor: 1, mobile: false });

  // --- Load and first frame.
  const started = Date.now();
  await send('Page.navigate', { url: `${args.page}?seed=${seed}&record=1` });
  await waitFor('window.vepa && window.vepa.ready() && window.vepa.firstFrameMs() > 0', 'the first frame', 60000);
  const firstFrame = await evaluate('window.vepa.firstFrameMs()');
  figures.firstFrameMs = Math.round(firstFrame);
  check(true, 'first frame on the canvas', `${Math.round(firstFrame)} ms after navigation (${Date.now() - started} ms by the driver)`);
  const box = await canvasBox();
  check(box.w === 640 && box.h === 480, 'the canvas shows the picture at 1x in a 640x480 stage', JSON.stringify(box));
  check(!(await evaluate('window.vepa.soundRunning()')), 'no sound before the first key or click');

  // --- The publisher logo.
  await waitFor('window.vepa.ticks() >= 30', 'tick 30');
  let s = await photograph('logo');
  check(s.SceneNumber === 61 || s.SceneNumber === 60, 'a logo scene runs', `scene ${s.SceneNumber}`);
  const logoScene = s.SceneNumber;

  // --- Two Esc presses: the start menu.
  await key('Escape', 27);
  await waitFor(`window.vepa.state().SceneNumber !== ${logoScene}`, 'the second logo', 10000);
  await waitTicks(10);
  await key('Escape', 27);
  await waitFor('window.vepa.state().SceneNumber === 84', 'the start menu', 10000);
  await waitTicks(25);
  s = await photograph('start-menu');
  check(s.SceneNumber === 84, 'two Esc presses reach the start menu', `scene ${s.SceneNumber}`);
  // Esc is no gesture that allows sound in a browser; Enter is.
  check(!(await evaluate('window.vepa.soundRunning()')), 'Esc alone does not start the sound');

  // --- Enter: the game.
  await key('Enter', 13);
  await waitFor('window.vepa.state().SceneNumber === 0', 'the kiosk', 15000);
  await waitTicks(30);
  s = await photograph('kiosk');
  check(s.SceneNumber === 0, 'Enter starts the game in the kiosk', `scene ${s.SceneNumber}`);
  check(await evaluate('window.vepa.soundRunning()'), 'the first key that counts as a gesture starts the sound');

  // --- A click on the dartboard: the cashier speaks (the pointer's fingertip is 5, 25 off).
  // First his greeting ends (its length is the sound's), and a little more, so that the click
  // falls on the same state in the browser and in the runner.
  await waitFor('window.vepa.state().Scene.HostSpeaking === 0 && window.vepa.state().Scene.HubState === 0',
    'the end of the greeting', 30000);
  await waitTicks(10);
  const greeting = JSON.stringify((await state()).SpeechLines);
  const px = 95, py = 123;
  const at = { x: box.x + px + 0.5, y: box.y + py + 0.5 };
  await send('Input.dispatchMouseEvent', { type: 'mouseMoved', ...at });
  await waitTicks(2);
  await send('Input.dispatchMouseEvent', { type: 'mousePressed', button: 'left', clickCount: 1, buttons: 1, ...at });
  await waitTicks(1);
  await send('Input.dispatchMouseEvent', { type: 'mouseReleased', button: 'left', clickCount: 1, buttons: 0, ...at });
  await evaluate('window.vepa.soundPeak()');
  await waitFor(`window.vepa.state().Scene.HostSpeaking === 1 && JSON.stringify(window.vepa.state().SpeechLines) !== ${JSON.stringify(greeting)}`,
    'the cashier\'s words', 10000);
  await waitTicks(8);
  s = await photograph('cashier');
  check(s.SpeechLines.length > 0 && s.SpeakerName !== '', 'a click on the dartboard makes the cashier speak',
    `${s.SpeakerName}: ${s.SpeechLines.join(' / ')}`);

  // The sound reaches the page's audio graph (a few ticks of it have been played by now).
  await sleep(400);
  const peak = await evaluate('window.vepa.soundPeak()');
  check(peak > 1000, 'the game\'s sound (his voice over the kiosk) reaches the page\'s audio graph', `loudest sample ${peak} of 32768`);

  // --- The same moments in the headless runner, from the page's own input script.
  const script = await evaluate('window.vepa.script()');
  const scriptFile = path.join(args.out, 'page-input.script');
  fs.writeFileSync(scriptFile, script);
  const last = Math.max(...shots.map((x) => x.tick));
  const runnerArgs = ['--data', args.data, '--seed', String(seed), '--script', scriptFile, '--ticks', String(last)];
  for (const x of shots) runnerArgs.push('--shot', `${x.tick}:${path.join(args.out, `runner-${x.name}.png`)}`);
  const run = spawnSync(args.headless, runnerArgs, { encoding: 'utf8' });
  check(run.status === 0, 'the runner replays the page\'s input', run.status === 0 ? `${last} ticks, ${script.split('\n').length - 1} events` : run.stderr);
  for (const x of shots) {
    const browser = readPng(fs.readFileSync(x.file));
    let runner;
    try {
      runner = readPng(fs.readFileSync(path.join(args.out, `runner-${x.name}.png`)));
    } catch (e) {
      check(false, `${x.name}: the runner's frame of tick ${x.tick}`, e.message);
      continue;
    }
    const c = comparePictures(browser, runner);
    check(c.same && distinctColours(browser) > 5, `${x.name}: the browser's picture of tick ${x.tick} is the runner's frame`,
      c.same ? `${distinctColours(browser)}+ colours` : c.why);
  }

  // --- The tick over a minute of play (the pointer wanders over the kiosk meanwhile).
  const t0 = await evaluate('[window.vepa.ticks(), performance.now()]');
  const windows = [];
  let prev = t0;
  const end = Date.now() + minuteSeconds * 1000;
  let step = 0;
  while (Date.now() < end) {
    await sleep(5000);
    step++;
    await send('Input.dispatchMouseEvent', { type: 'mouseMoved', x: box.x + 200 + (step * 37) % 300, y: box.y + 150 + (step * 53) % 250 });
    const now = await evaluate('[window.vepa.ticks(), performance.now()]');
    windows.push((now[0] - prev[0]) / ((now[1] - prev[1]) / 1000));
    prev = now;
  }
  const rate = (prev[0] - t0[0]) / ((prev[1] - t0[1]) / 1000);
  const after = await state();
  figures.tickStalls = after.TickStalls;
  figures.ticksLost = after.TicksLost;
  figures.audio = { queuedFrames: after.AudioQueued, underruns: after.AudioUnderruns, droppedFrames: after.AudioDropped };
  console.log(`     sound: ${after.AudioQueued} frames queued, ${after.AudioUnderruns} underruns, ${after.AudioDropped} frames dropped`);
  figures.tickRate = Number(rate.toFixed(3));
  figures.tickWindows = [Math.min(...windows).toFixed(2), Math.max(...windows).toFixed(2)];
  // One tick either way is the measurement's own grain; a stall under load may lose 1 %.
  const expected = (prev[1] - t0[1]) / 50, counted = prev[0] - t0[0];
  check(counted <= expected + 1 && counted >= expected * 0.99 - 1, `the tick runs at 20 a second over ${Math.round((prev[1] - t0[1]) / 1000)} s`,
    `${rate.toFixed(3)} per second (${prev[0] - t0[0]} ticks; 5-second windows ${figures.tickWindows.join('..')}; ${after.TickStalls} stalls lost ${after.TicksLost} ticks)`);

  // --- Full screen on request: the page's button, and Alt+Enter back.
  const asked = (await state()).Scene;
  const button = await evaluate(`(() => { const r = document.getElementById('fullscreen').getBoundingClientRect();
    return { x: r.left + r.width / 2, y: r.top + r.height / 2 }; })()`);
  await send('Input.dispatchMouseEvent', { type: 'mousePressed', button: 'left', clickCount: 1, buttons: 1, ...button });
  await send('Input.dispatchMouseEvent', { type: 'mouseReleased', button: 'left', clickCount: 1, buttons: 0, ...button });
  const entered = await waitFor('document.fullscreenElement === document.getElementById("stage")', 'full screen', 5000)
    .catch(() => false);
  await sleep(300);
  const full = await evaluate(`(() => { const r = document.getElementById('screen').getBoundingClientRect();
    return { x: r.left, y: r.top, w: r.width, h: r.height, screenW: innerWidth, screenH: innerHeight }; })()`);
  // The whole window is the stage now: the picture is centred in it with its aspect kept.
  check(entered && full.w / full.h === 4 / 3 && Math.abs(full.x * 2 + full.w - full.screenW) <= 1 &&
    Math.abs(full.y * 2 + full.h - full.screenH) <= 1, 'the page\'s button puts the picture in full screen', JSON.stringify(full));
  const altEnter = { code: 'Enter', key: 'Enter', windowsVirtualKeyCode: 13, modifiers: 1 };
  await send('Input.dispatchKeyEvent', { type: 'rawKeyDown', ...altEnter });
  await send('Input.dispatchKeyEvent', { type: 'keyUp', ...altEnter });
  const left = await waitFor('!document.fullscreenElement', 'the window again', 5000).catch(() => false);
  const back = await canvasBox();
  check(left && back.w === 640 && back.h === 480, 'Alt+Enter leaves full screen', JSON.stringify(back));
  // The cashier still waits for the answer to his offer, which Enter would give.
  const now = await state();
  check(asked.ButtonAlpha > 0 && now.SceneNumber === 0 && now.Scene.HubState === asked.HubState,
    'Alt+Enter is not passed to the game as Enter', `buttons shown (alpha ${asked.ButtonAlpha}), kiosk state ${asked.HubState} -> ${now.Scene.HubState}`);

  // --- Without the archive: the launcher's picture of missing files.
  await send('Page.navigate', { url: args.bare });
  await waitFor('window.vepa && window.vepa.ready() && window.vepa.firstFrameMs() > 0', 'the launcher picture', 30000);
  const ls = await state();
  const lbox = await canvasBox();
  const size = await evaluate(`[document.getElementById('screen').width, document.getElementById('screen').height]`);
  const lshot = await send('Page.captureScreenshot', { format: 'png', clip: { x: lbox.x, y: lbox.y, width: lbox.w, height: lbox.h, scale: 1 } });
  fs.writeFileSync(path.join(args.out, 'browser-no-archive.png'), Buffer.from(lshot.data, 'base64'));
  const lpic = readPng(Buffer.from(lshot.data, 'base64'));
  check(ls.InLauncher === 1 && ls.LauncherState === 4 && size[0] === 213 && size[1] === 116 && distinctColours(lpic) > 5,
    'without the archive the canvas shows the launcher\'s "files not found" picture',
    `state ${ls.LauncherState}, canvas ${size.join('x')} shown at ${lbox.w}x${lbox.h}`);
}

try {
  await main();
} catch (e) {
  check(false, 'the browser test ran to its end', e.message);
  if (consoleLines.length) console.log('page console:\n  ' + consoleLines.slice(-20).join('\n  '));
}
clearTimeout(hardLimit);
fs.writeFileSync(path.join(args.out, 'figures.json'), JSON.stringify(figures, null, 1) + '\n');
console.log(`web-test: ${passed} passed, ${failed} failed`);
finish(failed === 0 && passed > 0 ? 0 : 1);
