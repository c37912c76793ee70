// Processes the browser tests start (X servers, drivers, a screen reader and its services), each
// leading a process group of its own: stopped as a group, and at the latest when this process
// ends, an interrupt included.
import { spawn } from "node:child_process";

const started = new Set();
process.on("exit", () => {
  for (const child of started) {
    try {
      process.kill(-child.pid, "SIGKILL");
    } catch {
      // Gone already.
    }
  }
});
for (const [signal, number] of [["SIGINT", 2], ["SIGTERM", 15], ["SIGHUP", 1]]) {
  process.on(signal, () => process.exit(128 + number));
}

export function startGroup(command, args, options) {
  const child = spawn(command, args, { stdio: "ignore", ...options, detached: true });
  started.add(child);
  child.once("exit", () => started.delete(child));
  return child;
}

// Asks the group to end, and ends it after 5 s if it has not: Orca, for one, at times catches the
// request and never ends.
export function stop(child) {
  return new Promise((stopped) => {
    if (!started.has(child)) return stopped();
    const kill = setTimeout(() => process.kill(-child.pid, "SIGKILL"), 5000);
    child.once("exit", () => {
      clearTimeout(kill);
      stopped();
    });
    process.kill(-child.pid, "SIGTERM");
  });
}

// Resolves to the first line a child prints on `fd` (Xvfb's display, dbus-daemon's address).
export function firstLine(child, fd, what) {
  return new Promise((resolve, reject) => {
    let text = "";
    child.stdio[fd].on("data", (chunk) => {
      text += chunk;
      if (text.includes("\n")) resolve(text.split("\n")[0].trim());
    });
    child.once("exit", (code) => reject(new Error(`${what} exited with ${code}`)));
  });
}

// A private X server: Xvfb writes the display number it took to fd 3 once it is ready.
export async function startXvfb(options = [], screen = "1920x1200x24") {
  const args = ["-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp", "-noreset", ...options];
  const xvfb = startGroup("Xvfb", args, { stdio: ["ignore", "ignore", "ignore", "pipe"] });
  return { display: `:${await firstLine(xvfb, 3, "Xvfb")}`, process: xvfb, stop: () => stop(xvfb) };
}
