// Words for what the picture shows, made from the scene's eleven numbers in the order the
// program stores them: the drag's anchor (x, y), the drag in progress (x, y), the drags' totals
// (x, y), the car's place (x, z), its steering heading, its wheels' spin and its body's heading.
// Angles are degrees; a drag's pixels are degrees too. The page loads this as a plain script;
// the tests import it.
"use strict";

function sceneWords(numbers) {
  const [, , dragX, dragY, totalX, totalY, x, z, steering, , heading] = numbers;
  // In [0, 360), and in (-180, 180], exactly: the sums are whole or half degrees.
  const turn = (degrees) => ((degrees % 360) + 360) % 360;
  const signed = (degrees) => 180 - turn(180 - degrees);

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
  const degrees = (angle, left, right) => {
    const whole = Math.round(Math.abs(angle));
    return `${whole} degree${whole === 1 ? "" : "s"} ${angle > 0 ? left : right}`;
  };
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
  // A car length is 4 units.
  const lengths = (Math.hypot(x, z) / 4).toFixed(1);
  const where =
    lengths === "0.0" ? "stands at its start" : `stands ${lengths} car length${lengths === "1.0" ? "" : "s"} from its start`;
  return `The car${upsideDown ? ", upside down," : ""} seen ${from}. ${turned}, its front wheels are ${wheels}, and it ${where}.`;
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

if (typeof module === "object") module.exports = { sceneWords };
