// Put at the top of the served index.html by the tests, before any script of the page, alike in
// every engine (WebKit's driver has no console access at all).
"use strict";

// Page errors, console errors, and console warnings after the first frame (the GL emulation's
// notes on how it started come before it).
window.recordedErrors = [];
for (const level of ["error", "warn"]) {
  const original = console[level];
  console[level] = (...args) => {
    if (level === "error" || window.Module?.firstFrameMs) recordedErrors.push(args.join(" "));
    original.apply(console, args);
  };
}
window.addEventListener("error", (event) => recordedErrors.push(event.message));
window.addEventListener("unhandledrejection", (event) => recordedErrors.push(String(event.reason)));

// The real input events since a driver that sends input from outside the browser emptied the
// list, for it to know when the page has seen them. A press the page cancels as a pointer event (its buttons do)
// comes as no mouse event: its pointer event counts as one. Nor do the moves after it until the
// pointer's up (the lab's views cancel it), nor a button pressed or let go with another held,
// which comes as a pointer move naming the button: each pointer move counts as a mouse move, and
// one naming a button as that button's press or release too.
const asMouse = { pointerdown: "mousedown", pointerup: "mouseup" };
const DOM_BUTTON_BITS = [1, 4, 2];
function pointerMove(event) {
  const move = `mousemove ${event.clientX} ${event.clientY}`;
  if (event.button < 0) return [move];
  return [move, `${event.buttons & DOM_BUTTON_BITS[event.button] ? "mousedown" : "mouseup"} ${event.button}`];
}
for (const type of ["mousemove", "mousedown", "mouseup", "wheel", "pointerdown", "pointerup", "pointermove", "keydown", "keyup"]) {
  window.addEventListener(
    type,
    (event) => {
      if (!event.isTrusted || (type.startsWith("pointer") && event.pointerType !== "mouse")) return;
      if (type === "pointermove") return window.inputEvents?.push(...pointerMove(event));
      const what = type === "mousemove" ? [event.clientX, event.clientY] : type.startsWith("key") ? [event.key] : [event.button];
      window.inputEvents?.push([asMouse[type] ?? type, ...what].join(" "));
    },
    true,
  );
}

// The pointer away from the page (the window hidden, or the pointer outside it): while a test
// sets pointerAway, real mouse events are recorded above but reach nothing else of the page.
window.pointerAway = false;
for (const type of ["mousemove", "mousedown", "mouseup"]) {
  window.addEventListener(
    type,
    (event) => {
      if (window.pointerAway && event.isTrusted) event.stopImmediatePropagation();
    },
    true,
  );
}
