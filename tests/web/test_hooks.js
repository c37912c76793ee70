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
// comes as no mouse event: its pointer event counts as one.
const asMouse = { pointerdown: "mousedown", pointerup: "mouseup" };
for (const type of ["mousemove", "mousedown", "mouseup", "wheel", "pointerdown", "pointerup", "keydown", "keyup"]) {
  window.addEventListener(
    type,
    (event) => {
      if (!event.isTrusted || (type in asMouse && event.pointerType !== "mouse")) return;
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
