// Ad-hoc measurement (not committed): per engine, view at 30 px held, and chord end, steps 1/5/10.
import { ENGINES, launch, serveRecordedPage, waitFor } from "./engines.mjs";
import { chordMoves, viewTurn } from "./views.mjs";
const server = await serveRecordedPage();
for (const engine of process.argv.slice(2).length ? process.argv.slice(2) : Object.keys(ENGINES)) {
  const browser = await launch(engine);
  const out = [];
  for (const step of [1, 5, 10]) {
    const tab = await browser.open(server.url, { width: 800, height: 640 });
    await waitFor(tab, "first frame", () => window.Module?.firstFrameMs);
    const [x, y] = [300, 450];
    await tab.mouseMove(x, y);
    await tab.mouseDown("left");
    let held30;
    for (const dx of chordMoves(step)) {
      await tab.mouseMove(x + dx, y);
      if (dx === 30) held30 = await viewTurn(tab);
      if (dx === 45) await tab.mouseDown("right");
    }
    const beforeRelease = await viewTurn(tab);
    await tab.mouseUp("right");
    const afterRight = await viewTurn(tab);
    await tab.mouseUp("left");
    out.push(`step ${step}: view at 30 px held ${held30}; chord at 90 px before releases ${beforeRelease}, after right up ${afterRight}, after both ${await viewTurn(tab)}`);
    await tab.close();
  }
  console.log(engine + "\n  " + out.join("\n  "));
  await browser.close();
}
await server.stop();
