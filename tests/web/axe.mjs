// axe-core's checks against WCAG 2.2 A and AA and its best practices, run in a page of any
// engine (a playwright page or an engines.mjs tab: both evaluate(fn, arg)).
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";

const AXE = readFileSync(createRequire(import.meta.url).resolve("axe-core/axe.min.js"), "utf8");
const AXE_RULES = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa", "best-practice"];

// What axe finds on the page as it is: each violation with the elements it names, the rules it
// leaves to review, and how many rules pass.
export async function axeFindings(tab) {
  await tab.evaluate((source) => (0, eval)(source), AXE);
  return tab.evaluate(
    (rules) =>
      axe.run(document, { runOnly: { type: "tag", values: rules } }).then((r) => ({
        violations: r.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(", ")}`),
        incomplete: r.incomplete.map((v) => v.id),
        passes: r.passes.length,
      })),
    AXE_RULES,
  );
}
