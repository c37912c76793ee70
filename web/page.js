// The page around the program: sizes the canvas's drawing buffer to the screen, hands the
// program's GLUT mouse events it reads in CSS pixels, turns one finger into a mouse, drives the
// car and turns the view from on-screen buttons, puts the picture into words, keeps the page for
// use offline and brings the scene back after a lost WebGL context. It runs before Emscripten's
// script, so that its listeners on window come before GLUT's.
"use strict";

var Module = {
  canvas: document.getElementById("canvas"),
  print: (text) => console.log(text),
  // Emscripten reports what it notices here; these are warnings, not failures.
  printErr: (text) => console.warn(text),
  // main() has set the window up and asked for the first frame, which can still be drawn at
  // the screen's resolution.
  postRun: () => {
    restoreScene();
    fitBuffer();
    new ResizeObserver(fitBuffer).observe(Module.canvas);
    // A new devicePixelRatio (zoom, another screen) changes no box, only the window.
    window.addEventListener("resize", fitBuffer);
  },
  // Once the WebGL context is back the page reloads, and draws nothing before it goes.
  preMainLoop: () => !reloading,
  // When the first frame was drawn, in ms since navigation started. Only then is the page kept
  // for offline use, which would otherwise compete with the first frame for the network.
  postMainLoop: () => {
    describeScene();
    if (Module.firstFrameMs) return;
    Module.firstFrameMs = performance.now();
    keepForOffline();
  },
};

// The program starts in one task once it is compiled and the page has painted: the WebGL
// context, then the instance and main(), as Emscripten's own start does. (Made in a task of its
// own while the program compiled, the context took longer and blocked the page once more.)
// The drawing buffer is at the size shown from the start: resizing it later costs about as much
// as making it, and the browser build leaves the buffer's size to the page. The attributes are
// those the program asks for. Where the browser gives no WebGL, the program never starts (it
// would fail on its first GL call), and the page says what is missing instead of offering
// controls that cannot work. A host that sends index.wasm with another type than
// application/wasm gets the slower way, as Emscripten's own loader would.
Module.instantiateWasm = (imports, receiveInstance) => {
  const compiled = WebAssembly.compileStreaming(fetch("index.wasm")).catch((error) => {
    console.warn(`wasm streaming compile failed: ${error}; falling back to ArrayBuffer instantiation`);
    return fetch("index.wasm")
      .then((response) => response.arrayBuffer())
      .then((bytes) => WebAssembly.compile(bytes));
  });
  const painted = new Promise((done) => requestAnimationFrame(() => setTimeout(done)));
  Promise.all([compiled, painted]).then(([module]) => {
    [Module.canvas.width, Module.canvas.height] = bufferSize();
    const attributes = { alpha: false, depth: true, stencil: true, antialias: false };
    Module.preinitializedWebGLContext = Module.canvas.getContext("webgl", attributes);
    if (!Module.preinitializedWebGLContext) return sayNoWebGL();
    receiveInstance(new WebAssembly.Instance(module, imports), module);
  });
  return {};
};

function sayNoWebGL() {
  document.body.classList.add("no-webgl");
  document.getElementById("no-webgl").hidden = false;
}

// The drawing buffer is the shown box times devicePixelRatio.
// (ResizeObserver's devicePixelContentBoxSize is wrong under emulated ratios; the box is not.)
function bufferSize() {
  const box = Module.canvas.getBoundingClientRect();
  return [Math.round(box.width * devicePixelRatio), Math.round(box.height * devicePixelRatio)];
}

// Module.setCanvasSize runs the program's reshape callback; the resize clears the canvas, and
// the program draws on demand.
function fitBuffer() {
  const [width, height] = bufferSize();
  if (width === Module.canvas.width && height === Module.canvas.height) return;
  Module.setCanvasSize(width, height);
  Module._glutPostRedisplay();
}

// GLUT maps a pointer through the canvas box into drawing-buffer pixels, reading pageX and
// pageY, and the view turns one degree per such pixel. Every mouse event reaches it as a copy
// whose pageX and pageY (own properties: a made-up event's clientX is a whole number) map to
// the pointer's offset in whole CSS pixels instead, a fraction further from zero so that
// GLUT's truncation lands on it: one degree per CSS pixel at any ratio and shown size.
// GLUT hands the motion callback the place of the move before, and passes over a move to the
// very same place: each move goes to it again as an echo half a pixel on, inside the same whole
// pixel, so that the callback hears where the pointer is now. A drag then follows the pointer,
// and a second button pressed mid-drag comes where the program last saw the pointer (a chord).
function sendToGlut(type, target, button, buttons, point, modifiers = {}) {
  const sent = copyToGlut(type, target, button, buttons, point, modifiers, 1 / 4);
  if (type === "mousemove") copyToGlut(type, target, button, buttons, point, modifiers, 1 / 2);
  return sent;
}

function copyToGlut(type, target, button, buttons, point, modifiers, fraction) {
  const box = Module.canvas.getBoundingClientRect();
  const toGlut = (offset, boxSize, bufferSize) => {
    const pixels = Math.round(offset);
    return ((pixels + (pixels < 0 ? -fraction : fraction)) * boxSize) / bufferSize;
  };
  const event = new MouseEvent(type, {
    bubbles: true,
    cancelable: true,
    view: window,
    button,
    buttons,
    clientX: point.clientX,
    clientY: point.clientY,
    ...modifiers,
  });
  Object.defineProperties(event, {
    pageX: { value: scrollX + box.left + toGlut(point.clientX - box.left, box.width, Module.canvas.width) },
    pageY: { value: scrollY + box.top + toGlut(point.clientY - box.top, box.height, Module.canvas.height) },
  });
  return target.dispatchEvent(event);
}

// The mouse buttons held, and where the pointer was last seen.
const heldButtons = new Set();
let lastPoint = { clientX: 0, clientY: 0 };

for (const type of ["mousedown", "mousemove", "mouseup"]) {
  window.addEventListener(
    type,
    (event) => {
      if (!event.isTrusted) return; // a copy on its way to GLUT
      event.stopImmediatePropagation();
      if (type === "mousedown") heldButtons.add(event.button);
      if (type === "mouseup") heldButtons.delete(event.button);
      lastPoint = { clientX: event.clientX, clientY: event.clientY };
      const { ctrlKey, shiftKey, altKey, metaKey } = event;
      const modifiers = { ctrlKey, shiftKey, altKey, metaKey };
      // What GLUT cancels (a press on the canvas: no focus change, no text selection) stays
      // cancelled.
      if (!sendToGlut(type, event.target, event.button, event.buttons, event, modifiers)) {
        event.preventDefault();
      }
    },
    true,
  );
}

// A mouse or pen the browser takes away mid-drag ends the drag as a release there would.
function releaseHeldButtons() {
  for (const button of heldButtons) sendToGlut("mouseup", window, button, 0, lastPoint);
  heldButtons.clear();
}
window.addEventListener("pointercancel", (event) => {
  if (event.pointerType !== "touch") releaseHeldButtons();
});
window.addEventListener("blur", releaseHeldButtons);

// The wheel is no input of the program. Emscripten's GLUT would report each turn of it as a
// button press that is never released, which stalls every later drag; keep it from GLUT, under
// both names it listens to (Firefox fires only the old DOMMouseScroll).
for (const type of ["mousewheel", "DOMMouseScroll"]) {
  window.addEventListener(type, (event) => event.stopImmediatePropagation(), true);
}

// Touches on the canvas never reach GLUT's own touch listeners, which are passive (every
// cancel logs an error), follow whichever finger changed and miss touchcancel. The first
// finger down is a left button; other fingers are ignored, and the page neither scrolls nor
// zooms under any of them.
let finger = null;
let fingerPoint = null;

function onCanvasTouch(event) {
  if (event.target !== Module.canvas) return;
  event.stopImmediatePropagation();
  // A touchcancel, or a move the browser has already taken, cannot be cancelled.
  if (event.cancelable) event.preventDefault();
  const changed = [...event.changedTouches];
  if (event.type === "touchstart") {
    if (finger !== null) return;
    finger = changed[0].identifier;
    fingerPoint = changed[0];
    sendToGlut("mousedown", Module.canvas, 0, 1, changed[0]);
    return;
  }
  const touch = changed.find((t) => t.identifier === finger);
  if (!touch) return;
  fingerPoint = touch;
  if (event.type === "touchmove") {
    sendToGlut("mousemove", Module.canvas, 0, 1, touch);
  } else {
    // touchend, or touchcancel: a finger the browser took ends the drag as a lift does.
    finger = null;
    sendToGlut("mouseup", Module.canvas, 0, 0, touch);
  }
}

for (const type of ["touchstart", "touchmove", "touchend", "touchcancel"]) {
  window.addEventListener(type, onCanvasTouch, { capture: true, passive: false });
}

// The on-screen buttons. Holding one repeats what it does: once at the press, then, after a
// pause, ten times a second. A click with no pointer behind it (the keyboard or assistive
// technology pressed the button) does it once.
function repeatWhileHeld(button, act) {
  let repeat = null;
  const stop = () => {
    clearTimeout(repeat);
    repeat = null;
  };
  button.addEventListener("pointerdown", (event) => {
    // Keeps focus where it was and the press out of GLUT's mouse handling.
    event.preventDefault();
    button.setPointerCapture(event.pointerId);
    stop();
    held.add(button);
    pressing(act);
    repeat = setTimeout(function again() {
      pressing(act);
      repeat = setTimeout(again, 100);
    }, 400);
  });
  for (const type of ["pointerup", "pointercancel", "lostpointercapture"]) {
    button.addEventListener(type, () => {
      stop();
      letGo(button);
    });
  }
  button.addEventListener("click", (event) => {
    if (event.detail !== 0) return;
    pressing(act);
    letGo();
  });
}

// Every press of a button or an arrow key is said in a few words, in the status line, once
// what was pressed is let go: a held button or key is one change, said at its end. The words
// compare the scene before the first press with the scene then.
const held = new Set();
let beforePresses = null;

function pressing(act) {
  if (Module.firstFrameMs && !beforePresses) beforePresses = [...sceneNumbers()];
  act();
}

function letGo(what) {
  held.delete(what);
  if (held.size || !beforePresses) return;
  say(changeWords(beforePresses, sceneNumbers()));
  beforePresses = null;
}

// The arrows drive whatever has the focus; other keys held (Enter on a button) count as holds.
const ARROWS = [37, 38, 39, 40];
window.addEventListener(
  "keydown",
  (event) => {
    if (!event.isTrusted) return; // an on-screen arrow's press, said by its button
    held.add(event.code);
    if (ARROWS.includes(event.keyCode)) pressing(() => {});
  },
  true,
);
window.addEventListener("keyup", (event) => letGo(event.code), true);
window.addEventListener("blur", () => {
  held.clear();
  letGo();
});

// No mouse events made up from taps (a made-up mouseup would end a drag on the canvas), no
// double-tap zoom, no text selection, no menu on a long press.
for (const pad of document.querySelectorAll(".pad")) {
  pad.addEventListener("touchstart", (event) => event.preventDefault(), { passive: false });
  pad.addEventListener("contextmenu", (event) => event.preventDefault());
}

// The on-screen arrows feed GLUT's keyboard path: it reads only keyCode.
function pressKey(keyCode) {
  window.dispatchEvent(new KeyboardEvent("keydown", { keyCode, bubbles: true }));
}

for (const button of document.querySelectorAll("#pad button")) {
  const keyCode = Number(button.dataset.keyCode);
  repeatWhileHeld(button, () => pressKey(keyCode));
}

// The Turn view buttons, for everyone who cannot drag: each press turns the view as a drag of
// 15 CSS pixels would, straight into the program's totals, so that it neither ends nor moves a
// drag in progress. Nothing turns before the program has drawn.
for (const button of document.querySelectorAll("#turn-pad button")) {
  const [dx, dy] = button.dataset.turn.split(",").map(Number);
  repeatWhileHeld(button, () => {
    if (Module.firstFrameMs) Module._TurnView(dx, dy);
  });
}

// The canvas's name says what the picture shows after every frame. Once the view has kept
// still for a second on another side or height than was last said, the status line, a polite
// live region, says the whole of it, so that a screen reader hears it once, not on every step
// of a drag or a held button. Nothing is said at load.
const viewWords = document.getElementById("view-words");
let seenFrom = null;
let settling = null;
let described = [];

function say(words) {
  const line = document.createElement("p");
  line.textContent = words;
  // A new line each time, so that the same words twice are said twice.
  viewWords.replaceChildren(line);
}

// Only a frame whose scene has changed changes the words.
function describeScene() {
  const numbers = sceneNumbers();
  let same = true;
  for (let i = 0; i < SCENE_NUMBERS; i++) same &&= numbers[i] === described[i];
  if (same) return;
  described = [...numbers];
  const words = sceneWords(numbers);
  if (words === Module.canvas.getAttribute("aria-label")) return;
  Module.canvas.setAttribute("aria-label", words);
  const { seen } = viewOf(numbers);
  if (seenFrom === null) seenFrom = seen;
  clearTimeout(settling);
  settling = setTimeout(() => {
    if (seen === seenFrom) return;
    seenFrom = seen;
    say(words);
  }, 1000);
}

// A page served over plain HTTP from another host cannot have a service worker, and works
// as before.
function keepForOffline() {
  navigator.serviceWorker?.register("sw.js").catch(() => {});
}

// Phones take the GPU away from a page in the background and give it back when it returns. The
// page's shaders and buffers die with the old context, so the page comes back as a
// reload that carries the scene across in session storage. A drag held at the loss ends as a
// release there.
const SAVED_SCENE = "car-scene";
const SCENE_NUMBERS = 11;

function endDrags() {
  releaseHeldButtons();
  if (finger === null) return;
  finger = null;
  sendToGlut("mouseup", Module.canvas, 0, 0, fingerPoint);
}

Module.canvas.addEventListener("webglcontextlost", (event) => {
  // Else the browser never gives the context back.
  event.preventDefault();
  endDrags();
});
// A frame drawn on the new context before the reload goes would use the dead objects (every
// call an INVALID_OPERATION): frames are skipped from the restore on.
let reloading = false;
Module.canvas.addEventListener("webglcontextrestored", () => {
  reloading = true;
  // Before its first frame the program has taken no input: it comes back at the start.
  if (Module.firstFrameMs) saveScene();
  location.reload();
});

// The program's scene state, as the program stores it: a view of the program's memory, made
// once (it is read after every frame), whose numbers change with the next store.
let sceneView = null;
function sceneNumbers() {
  Module._StoreSceneState();
  if (sceneView?.buffer !== Module.HEAPF64.buffer) {
    const at = Module._SceneStateNumbers() / Float64Array.BYTES_PER_ELEMENT;
    sceneView = Module.HEAPF64.subarray(at, at + SCENE_NUMBERS);
  }
  return sceneView;
}

function saveScene() {
  endDrags();
  try {
    sessionStorage.setItem(SAVED_SCENE, JSON.stringify([...sceneNumbers()]));
  } catch {
    // No storage: the page comes back at the start.
  }
}

// The first six numbers are ints and the rest floats: anything else in storage is not a scene.
function restoreScene() {
  let numbers;
  try {
    const saved = sessionStorage.getItem(SAVED_SCENE);
    sessionStorage.removeItem(SAVED_SCENE);
    numbers = JSON.parse(saved);
  } catch {
    return;
  }
  const fits = (n, i) => (i < 6 ? (n | 0) === n : Math.fround(n) === n);
  if (!Array.isArray(numbers) || numbers.length !== SCENE_NUMBERS || !numbers.every(fits)) return;
  Module.HEAPF64.set(numbers, Module._SceneStateNumbers() / Float64Array.BYTES_PER_ELEMENT);
  Module._LoadSceneState();
  Module._glutPostRedisplay();
}
