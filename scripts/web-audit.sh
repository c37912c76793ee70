#!/bin/sh
# Measures the web page as users and their tools would: the weight of its files, the time to
# its first frame on a phone with the CPU slowed 4 times, and Lighthouse 12's mobile audit
# (its four scores and main timings). A measurement, not a test: figures move with the load
# on the machine. Lighthouse is installed on first use into build/web-audit, outside the
# tests' packages.
set -eu
cd "$(dirname "$0")/.."

scripts/web.sh build >/dev/null
(cd tests/web && npm ci --no-audit --no-fund >/dev/null)
if [ ! -x build/web-audit/node_modules/.bin/lighthouse ]; then
  npm install --prefix build/web-audit --no-audit --no-fund lighthouse@12 >/dev/null
fi

log=$(mktemp)
node web/serve.mjs build/web/page 0 >"$log" &
server=$!
report=$(mktemp --suffix=.json)
trap 'kill $server 2>/dev/null || true; rm -f "$log" "$report"' EXIT
while ! url=$(grep -o 'http://[0-9.:]*/' "$log"); do sleep 0.1; done

node tests/web/measure.mjs "$url"

CHROME_PATH=${CHROME_PATH:-/usr/bin/chromium} build/web-audit/node_modules/.bin/lighthouse "$url" \
  --quiet --chrome-flags="--headless=new --no-sandbox" --form-factor=mobile \
  --only-categories=performance,accessibility,best-practices,seo \
  --output=json --output-path="$report"
# shellcheck disable=SC2016 # the $ belong to JavaScript
node -e '
  const r = JSON.parse(require("fs").readFileSync(process.argv[1], "utf8"));
  const score = (c) => Math.round(r.categories[c].score * 100);
  const ms = (a) => r.audits[a].displayValue;
  console.log(`Lighthouse ${r.lighthouseVersion}, mobile: performance ${score("performance")}, ` +
    `accessibility ${score("accessibility")}, best practices ${score("best-practices")}, SEO ${score("seo")}`);
  console.log(`  first contentful paint ${ms("first-contentful-paint")}, largest contentful paint ` +
    `${ms("largest-contentful-paint")}, total blocking time ${ms("total-blocking-time")}, ` +
    `speed index ${ms("speed-index")}, layout shift ${ms("cumulative-layout-shift")}`);
  for (const c of Object.values(r.categories))
    for (const ref of c.auditRefs) {
      const a = r.audits[ref.id];
      if (ref.weight > 0 && a.score !== null && a.score < 1) console.log(`  ${c.title}: ${a.title} (${a.score})`);
    }
' "$report"
