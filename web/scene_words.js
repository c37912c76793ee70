// Words for what the picture shows, made from the scene's eleven numbers in the order the
// program stores them: the drag's anchor (x, y), the drag in progress (x, y), the drags' totals
// (x, y), the car's place (x, z), its steering heading, its wheels' spin and its body's heading.
// Angles are degrees; a drag's pixels are degrees too. The page loads this as a plain script;
// the tests import it.
"use strict";

// In [0, 360), and in (-180, 180], exactly: the sums are whole or half degrees.
const turn = (degrees) => ((degrees % 360) + 360) % 360;
const signed = (degrees) => 180 - turn(180 - degrees);

// Where the car is seen from, as words, and whether it shows upside down: the view, made of the drags' totals and the one in progress, and
// the body's heading, which turns the side seen as the view does.
function viewOf(numbers) {
  const [, , dragX, dragY, totalX, totalY, , , , , heading] = numbers;
  // The view turns the world about x by `tilt` after turning it about y by the horizontal drag;
  // the body turns by its heading on top of that. A tilt past the vertical shows the car upside
  // down and from the other side, which is a turn of 180 degrees more.
  const tilt = turn(dragY + totalY);
  const upsideDown = tilt > 90 && tilt < 270;
  const height = signed(upsideDown ? 180 - tilt : tilt);
  const around = turn(dragX + totalX + heading + (upsideDown ? 180 : 0));
  // 0 shows the car's left side, 90 its front.
  const sides = ["left", "front left", "front", "front right", "right", "back right", "back", "back left"];
  const side = sides[Math.floor((around + 22.5) / 45) % 8];
  const from =
    Math.abs(height) === 90
      ? `from straight ${height > 0 ? "above" : "below"}`
      : `from its ${side}, ${heightWords(height)}`;
  return { upsideDown, seen: `${upsideDown ? ", upside down," : ""} seen ${from}` };
}

// "30 degrees left", or with `short` "30° left".
function degrees(angle, left, right, short = false) {
  const whole = Math.round(Math.abs(angle));
  const unit = short ? "°" : ` degree${whole === 1 ? "" : "s"}`;
  return `${whole}${unit} ${angle > 0 ? left : right}`;
}


function sceneWords(numbers) {
  const [, , , , , , x, z, steering, , heading] = numbers;
  const facing = signed(heading);
  const turned =
    Math.round(Math.abs(facing)) === 0
      ? "It has not turned"
      : Math.abs(facing) === 180
        ? "It has turned half a circle"
        : `It has turned ${degrees(facing, "left", "right")}`;
  const wheelAngle = signed(steering - heading);
  const wheels =
    Math.round(Math.abs(wheelAngle)) === 0 ? "straight" : `turned ${degrees(wheelAngle, "left", "right")}`;
  // A car length is 4 units, said to one decimal.
  const lengths = (Math.hypot(x, z) / 4).toFixed(1);
  const where =
    lengths === "0.0" ? "stands at its start" : `stands ${lengths} car length${lengths === "1.0" ? "" : "s"} from its start`;
  return `The car${viewOf(numbers).seen}. ${turned}, its front wheels are ${wheels}, and it ${where}.`;
}

// Words for how far above (positive) or below the car's own level it is seen, in degrees.
function heightWords(height) {
  const size = Math.abs(height);
  if (size <= 10) return "at its own height";
  const way = height > 0 ? "above" : "below";
  if (size <= 35) return `from slightly ${way}`;
  if (size <= 65) return `from ${way}`;
  return `from ${height > 0 ? "high above" : "far below"}`;
}

// A few words for what a press (or a button or key held) changed, from the scene's numbers
// before and after it, what changed first: the view moved round or up and down, the car driven
// and how far from its start it is then, or its front wheels steered. A drag to the right
// shows the car from further left, one down from higher up.
function changeWords(before, after) {
  const [, , dragX, dragY, totalX, totalY, x, z, steering, spin, heading] = after;
  const [, , dragX0, dragY0, totalX0, totalY0, x0, z0, steering0, spin0] = before;
  const said = [];
  const round = dragX + totalX - dragX0 - totalX0;
  if (round) said.push(`Viewed from ${degrees(round, "further left", "further right", true)}`);
  const up = dragY + totalY - dragY0 - totalY0;
  if (up) {
    const { upsideDown } = viewOf(after);
    const now = upsideDown ? ", now upside down" : ", now the right way up";
    said.push(`Viewed from ${degrees(up, "higher", "lower", true)}${upsideDown !== viewOf(before).upsideDown ? now : ""}`);
  }
  if (x !== x0 || z !== z0) {
    // Each step forward spins the wheels on, each step back spins them back.
    const way = spin > spin0 ? "Forward" : spin < spin0 ? "Back" : "Moved";
    // Two decimals: a step is a sixteenth of a car length, and each is heard.
    const lengths = (Math.hypot(x, z) / 4).toFixed(2);
    const where = lengths === "0.00" ? "at the start" : `${lengths} car lengths from the start`;
    const facing = signed(heading);
    const turned = Math.round(Math.abs(facing)) === 0 ? "" : `, turned ${degrees(facing, "left", "right", true)}`;
    said.push(`${way}: ${where}${turned}`);
  } else if (steering !== steering0) {
    const wheelAngle = signed(steering - heading);
    const wheels = Math.round(Math.abs(wheelAngle)) === 0 ? "straight" : degrees(wheelAngle, "left", "right", true);
    said.push(`Wheels ${wheels}`);
  }
  return said.length ? `${said.join(". ")}.` : "No change.";
}

if (typeof module === "object") module.exports = { sceneWords, viewOf, changeWords };
