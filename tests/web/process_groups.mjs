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
