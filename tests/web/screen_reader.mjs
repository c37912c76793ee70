// A desktop a blind user would have, on a private X display: a session D-Bus, the
// accessibility bus, speech-dispatcher speaking through espeak-ng into ALSA's null device, Orca,
// and Firefox ESR showing a page. What Orca says is read from speech-dispatcher's log, which it
// writes as each message arrives; keys go to the X server as a keyboard's would.
//   const desk = await startDesktop(url);
//   await desk.key("Tab"); const lines = await desk.saidSince(mark); await desk.stop();
import { execFile } from "node:child_process";
import {
  closeSync,
  copyFileSync,
  existsSync,
  fstatSync,
  mkdirSync,
  mkdtempSync,
  openSync,
  readSync,
  rmSync,
  writeFileSync,
} from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { setTimeout as sleep } from "node:timers/promises";
import { promisify } from "node:util";
import { firstLine, startGroup, startXvfb, stop } from "./process_groups.mjs";

const run = promisify(execFile);

async function until(what, fn, ms = 30000) {
  const deadline = Date.now() + ms;
  for (;;) {
    const value = await fn();
    if (value) return value;
    if (Date.now() > deadline) throw new Error(`timed out waiting for ${what}`);
    await sleep(100);
  }
}

const SPEECHD_CONF = (logDir) => `
CommunicationMethod "unix_socket"
SocketPath "default"
LogLevel 5
LogDir "${logDir}"
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
`;

// A first run of Firefox with nothing of its own to show or fetch.
const FIREFOX_PREFS = {
  "browser.shell.checkDefaultBrowser": false,
  "browser.startup.homepage_override.mstone": "ignore",
  "browser.aboutwelcome.enabled": false,
  "datareporting.policy.dataSubmissionEnabled": false,
  "toolkit.telemetry.reportingpolicy.firstRun": false,
  "app.update.auto": false,
  "browser.sessionstore.resume_from_crash": false,
  "browser.tabs.warnOnClose": false,
  "network.captive-portal-service.enabled": false,
  "network.connectivity-service.enabled": false,
  "extensions.autoDisableScopes": 0,
  "browser.startup.homepage": "about:blank",
  "browser.startup.firstrunSkipsHomepage": true,
  "startup.homepage_welcome_url": "",
  "startup.homepage_welcome_url.additional": "",
  "datareporting.policy.firstRunURL": "",
  "browser.newtab.preload": false,
};

export async function startDesktop(url, { firefoxPrefs = {} } = {}) {
  const home = mkdtempSync(join(tmpdir(), "car-reader-"));
  const dir = (...parts) => {
    const path = join(home, ...parts);
    mkdirSync(path, { recursive: true, mode: 0o700 });
    return path;
  };
  const children = [];
  const env = {
    ...process.env,
    HOME: home,
    XDG_RUNTIME_DIR: dir("run"),
    XDG_CONFIG_HOME: dir("config"),
    XDG_DATA_HOME: dir("data"),
    XDG_CACHE_HOME: dir("cache"),
    LANG: "C.UTF-8",
    GTK_A11Y: "atspi",
    GNOME_ACCESSIBILITY: "1",
    NO_AT_BRIDGE: "0",
  };
  delete env.SPEECHD_ADDRESS;
  const stopAll = async () => {
    for (const child of children.reverse()) await stop(child);
    rmSync(home, { recursive: true, force: true });
  };
  try {
    const xvfb = await startXvfb([], "1280x1024x24");
    children.push(xvfb.process);
    env.DISPLAY = xvfb.display;

    const dbus = startGroup("dbus-daemon", ["--session", "--nofork", "--print-address"], {
      env,
      stdio: ["ignore", "pipe", "ignore"],
    });
    children.push(dbus);
    env.DBUS_SESSION_BUS_ADDRESS = await firstLine(dbus, 1, "dbus-daemon");

    children.push(startGroup("/usr/libexec/at-spi-bus-launcher", ["--launch-immediately", "--a11y=1"], { env }));

    const confDir = dir("speechd");
    const logDir = dir("speechd-log");
    writeFileSync(join(confDir, "speechd.conf"), SPEECHD_CONF(logDir));
    mkdirSync(join(confDir, "modules"));
    copyFileSync("/etc/speech-dispatcher/modules/espeak-ng.conf", join(confDir, "modules/espeak-ng.conf"));
    children.push(startGroup("speech-dispatcher", ["-s", "-t", "0", "-C", confDir, "-L", logDir, "-l", "5"], { env }));
    const speechLog = join(logDir, "speech-dispatcher.log");
    await until("speech-dispatcher", () => existsSync(join(env.XDG_RUNTIME_DIR, "speech-dispatcher/speechd.sock")));

    children.push(startGroup("/usr/bin/orca", ["--replace"], { env, stdio: ["ignore", "ignore", "pipe"] }));
    const said = spokenSince(speechLog);
    await until("Orca's first words", () => said().length > 0);

    const profile = dir("firefox");
    const prefs = { ...FIREFOX_PREFS, ...firefoxPrefs };
    writeFileSync(
      join(profile, "user.js"),
      Object.entries(prefs)
        .map(([name, value]) => `user_pref(${JSON.stringify(name)}, ${JSON.stringify(value)});\n`)
        .join(""),
    );
    children.push(
      startGroup("/usr/bin/firefox-esr", ["--no-remote", "--profile", profile, "--width", "1200", "--height", "900", url], {
        env,
      }),
    );
    const xdotool = (...args) => run("xdotool", args.map(String), { env });
    return {
      env,
      run,
      said,
      xdotool,
      key: (...keys) => xdotool("key", "--delay", "150", ...keys),
      until,
      stop: stopAll,
    };
  } catch (error) {
    await stopAll();
    throw error;
  }
}

// A function giving every text speech-dispatcher was given to speak so far, in order, from its
// log, read on from where it last stopped (at level 5 it logs every piece of audio too).
function spokenSince(path) {
  const lines = [];
  let offset = 0;
  let rest = "";
  return () => {
    if (!existsSync(path)) return lines;
    const fd = openSync(path, "r");
    try {
      const buffer = Buffer.alloc(fstatSync(fd).size - offset);
      offset += readSync(fd, buffer, 0, buffer.length, offset);
      const text = rest + buffer.toString("utf8");
      const end = text.lastIndexOf("\n") + 1;
      rest = text.slice(end);
      lines.push(...spokenLines(text.slice(0, end)));
    } finally {
      closeSync(fd);
    }
    return [...lines];
  };
}

// The texts speech-dispatcher was given to speak in a piece of its log.
export function spokenLines(log) {
  const entities = { amp: "&", lt: "<", gt: ">", quot: '"', apos: "'" };
  return [...log.matchAll(/Queueing message \|(.*)\| with priority/g)].map(([, ssml]) =>
    ssml.replace(/<[^>]*>/g, "").replace(/&(\w+);/g, (_, name) => entities[name] ?? `&${name};`),
  );
}
