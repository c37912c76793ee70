// Writes what the lab knows of the guide's experiments as an ES module: for each, its title and
// question in the guide's words, its patch, its section of the guide, and the scene's numbers
// in the pose of its picture. Everything comes from docs/drawing.md through
// tools/guide-experiments.sh; the numbers from the program's own handlers (lab_pose). Fails,
// saying which, where the guide does not link an experiment to the lab, or links the lab to none.
// Run from the project's folder: node experiments.mjs LAB_POSE_JS GUIDE_URL LAB_URL OUT
import { execFileSync } from "node:child_process";
import { readFileSync, writeFileSync } from "node:fs";

const [labPose, guideUrl, labUrl, out] = process.argv.slice(2);
const tool = (...args) => execFileSync("sh", ["tools/guide-experiments.sh", ...args], { encoding: "utf8" });
const lines = (text) => text.split("\n").filter(Boolean);

const poses = new Map();
function pose(input) {
  if (!poses.has(input)) {
    const numbers = execFileSync("node", [labPose, ...input.split(" ")], { encoding: "utf8" });
    poses.set(input, numbers.trim().split(" ").map(Number));
  }
  return poses.get(input);
}

const escape = (text) => text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;");
// The guide's Markdown as far as its questions use it: code, and links within the guide.
const html = (markdown) =>
  escape(markdown)
    .replace(/`([^`]+)`/g, "<code>$1</code>")
    .replace(/\[([^\]]+)\]\(#([a-z0-9-]+)\)/g, (_, text, anchor) => `<a href="${guideUrl}#${anchor}">${text}</a>`);

const about = new Map(lines(tool("about")).map((line) => {
  const [name, section, title, question] = line.split("|");
  return [name, { section, title: title.replace(/\.$/, ""), question: html(question) }];
}));

// The program as written comes first, in the guide's pose; then each experiment with a patch.
const listed = lines(tool("list")).map((line) => line.split("|"));
const guidePose = listed.find(([name]) => name === "pose")[2];
const experiments = [{ name: "as-written", title: "The program as written", section: "3-the-orbit-turning-the-whole-scene", pose: pose(guidePose) }];
for (const [name, files, input] of listed) {
  if (!files) continue;
  experiments.push({ name, ...about.get(name), patch: tool("patch", name), pose: pose(input) });
}

const guide = readFileSync("docs/drawing.md", "utf8");
const linked = [...guide.matchAll(/\]\(([^)\s]*\/lab\/#([a-z0-9-]+))\)/g)];
const problems = [];
for (const { name } of experiments.slice(1)) {
  if (!linked.some(([, url]) => url === `${labUrl}#${name}`)) problems.push(`no link to ${labUrl}#${name}`);
}
for (const [, url, name] of linked) {
  if (url !== `${labUrl}#${name}` || !experiments.some((e) => e.name === name)) problems.push(`a link to ${url}, which the lab does not have`);
}
if (problems.length) {
  console.error(`docs/drawing.md: ${problems.join("; ")}`);
  process.exit(1);
}

writeFileSync(out, `// Made by experiments.mjs from docs/drawing.md.\nexport const guide = ${JSON.stringify(guideUrl)};\nexport const experiments = ${JSON.stringify(experiments, null, 1)};\n`);
