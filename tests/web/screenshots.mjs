// Takes the docs' pictures of the page: a phone, a tablet and a desktop, each after a few
// taps or keys forward and a drag that shows the car from three-quarters; then the lab's
// swapped experiment in the guide's pose on a desktop and a phone, and in Firefox and WebKitGTK.
// One image pixel per CSS pixel. Usage: node screenshots.mjs URL DIR (writes DIR/phone.png,
// tablet.png, desktop-web.png, lab.png, lab-calls.png, lab-phone.png, lab-firefox.png,
// lab-webkit.png).
import { writeFileSync } from "node:fs";
import { join } from "node:path";
import { DEVICES, canvasBox, openPage, startBrowser, touchScreen } from "./browser_page.mjs";
import { launch, waitFor } from "./engines.mjs";

const [url, dir] = process.argv.slice(2);
const browser = await startBrowser();
for (const [device, name] of [
  ["phone", "phone.png"],
  ["tablet", "tablet.png"],
  ["desktop", "desktop-web.png"],
]) {
  const context = await browser.newContext(DEVICES[device]);
  const { page } = await openPage(context, url);
  for (let i = 0; i < 8; i++) await page.keyboard.press("ArrowUp");
  const box = await canvasBox(page);
  const from = [box.x + box.width / 2, box.y + box.height - 30];
  const to = [from[0] + 25, from[1] + 20];
  if (DEVICES[device].hasTouch) {
    const touches = await touchScreen(page);
    await touches.start({ 0: from });
    await touches.move({ 0: to });
    await touches.lift();
  } else {
    await page.mouse.move(...from);
    await page.mouse.down();
    await page.mouse.move(...to, { steps: 5 });
    await page.mouse.up();
  }
  await page.waitForTimeout(500);
  await page.screenshot({ path: join(dir, name), scale: "css" });
  await context.close();
}
for (const [device, name] of [
  ["desktop", "lab.png"],
  ["phone", "lab-phone.png"],
]) {
  const context = await browser.newContext(DEVICES[device]);
  const page = await context.newPage();
  await page.goto(`${url}lab/#swapped`);
  await page.waitForFunction(() => window.lab?.views.every((view) => view.firstFrameMs));
  await page.click("#guide-pose");
  // The controls and the views, as far as the screen goes; on a desktop, then the frame's calls.
  await page.locator("#controls").evaluate((controls) => controls.scrollIntoView());
  await page.waitForTimeout(500);
  await page.screenshot({ path: join(dir, name), scale: "css" });
  if (device === "desktop") {
    await page.locator(".frame-calls").first().evaluate((list) => list.previousElementSibling.scrollIntoView());
    await page.screenshot({ path: join(dir, "lab-calls.png"), scale: "css" });
  }
  await context.close();
}
await browser.close();
// The other engines, through the tests' drivers: the top of the page down to the views, in a
// window tall enough to hold them unscrolled (the drivers' shots of a part differ in whether it
// is of the page or the window).
const TALL = { width: 1280, height: 1150 };
for (const engine of ["firefox", "webkit"]) {
  const other = await launch(engine);
  const tab = await other.open(`${url}lab/#swapped`, TALL);
  await waitFor(tab, "both views", () => window.lab?.views.every((view) => view.firstFrameMs));
  await tab.evaluate(() => document.getElementById("guide-pose").click());
  await new Promise((done) => setTimeout(done, 1000));
  writeFileSync(join(dir, `lab-${engine}.png`), await tab.canvasShot({ x: 0, y: 0, ...TALL }));
  await other.close();
}
