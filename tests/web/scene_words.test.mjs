// The words for the picture, over the angles where they change: the sides' boundaries, turns
// past 360 and below 0, views from above, below and upside down, and the car's own turns.
import assert from "node:assert/strict";
import { test } from "node:test";
import { changeWords, sceneWords } from "../../web/scene_words.js";

// The scene's numbers in the program's order, from what the case sets.
function scene({ dragX = 0, dragY = 0, totalX = 0, totalY = 0, x = 0, z = 0, steering = 0, spin = 80, heading = 0 }) {
  return [123, 456, dragX, dragY, totalX, totalY, x, z, steering, spin, heading];
}

const START = "It has not turned, its front wheels are straight, and it stands at its start.";

test("the side and height seen", () => {
  const table = [
    [{}, "seen from its left, at its own height"],
    // Each side spans 45 degrees, centred on a multiple of 45.
    [{ totalX: 22 }, "seen from its left,"],
    [{ totalX: 23 }, "seen from its front left,"],
    [{ totalX: 22.5 }, "seen from its front left,"],
    [{ totalX: -22 }, "seen from its left,"],
    [{ totalX: -23 }, "seen from its back left,"],
    [{ totalX: 67 }, "seen from its front left,"],
    [{ totalX: 68 }, "seen from its front,"],
    [{ totalX: 90 }, "seen from its front,"],
    [{ totalX: 135 }, "seen from its front right,"],
    [{ totalX: 180 }, "seen from its right,"],
    [{ totalX: 225 }, "seen from its back right,"],
    [{ totalX: 270 }, "seen from its back,"],
    [{ totalX: 337 }, "seen from its back left,"],
    [{ totalX: 338 }, "seen from its left,"],
    // Past 360 and below 0, and a drag in progress on top of the totals.
    [{ totalX: 450 }, "seen from its front,"],
    [{ totalX: -270 }, "seen from its front,"],
    [{ totalX: -3600 + 180 }, "seen from its right,"],
    [{ dragX: 60, totalX: 30 }, "seen from its front,"],
    // The body's heading turns the side seen as the view does.
    [{ heading: 90, steering: 90 }, "seen from its front,"],
    [{ totalX: 45, heading: -45, steering: -45 }, "seen from its left,"],
    // Height: a drag down shows the car from above.
    [{ totalY: 10 }, "seen from its left, at its own height"],
    [{ totalY: 11 }, "seen from its left, from slightly above"],
    [{ totalY: 45 }, "seen from its left, from above"],
    [{ totalY: 75 }, "seen from its left, from high above"],
    [{ totalY: 90 }, "seen from straight above."],
    [{ totalY: -90 }, "seen from straight below."],
    [{ totalY: 270 }, "seen from straight below."],
    [{ totalY: -30, totalX: 90 }, "seen from its front, from slightly below"],
    [{ totalY: 360 + 45 }, "seen from its left, from above"],
    [{ dragY: -20, totalY: -40 }, "seen from its left, from below"],
    // Past the vertical the picture is upside down and shows the other side.
    [{ totalY: 91 }, "The car, upside down, seen from its right, from high above"],
    [{ totalY: 180 }, "The car, upside down, seen from its right, at its own height"],
    [{ totalY: 200, totalX: 90 }, "The car, upside down, seen from its back, from slightly below"],
    [{ totalY: -135, totalX: 45 }, "The car, upside down, seen from its back right, from below"],
    [{ totalY: 269 }, "The car, upside down, seen from its right, from far below"],
  ];
  for (const [numbers, words] of table) {
    const said = sceneWords(scene(numbers));
    assert.ok(said.includes(words), `${JSON.stringify(numbers)}: ${said}`);
    assert.equal(said.includes("upside down"), words.includes("upside down"), JSON.stringify(numbers));
  }
});

test("the car's heading, its front wheels and how far it went", () => {
  const table = [
    [{}, START],
    [{ heading: 30, steering: 30 }, "It has turned 30 degrees left, its front wheels are straight,"],
    [{ heading: -0.5, steering: -0.5 }, "It has turned 1 degree right,"],
    [{ heading: 390, steering: 390 }, "It has turned 30 degrees left,"],
    [{ heading: -330, steering: -330 }, "It has turned 30 degrees left,"],
    [{ heading: 180, steering: 180 }, "It has turned half a circle,"],
    [{ heading: -180, steering: -180 }, "It has turned half a circle,"],
    [{ heading: 181, steering: 181 }, "It has turned 179 degrees right,"],
    [{ steering: 5 }, "It has not turned, its front wheels are turned 5 degrees left,"],
    [{ heading: 30, steering: 25 }, "its front wheels are turned 5 degrees right,"],
    [{ heading: 350, steering: 10 }, "its front wheels are turned 20 degrees left,"],
    // Four units are a car length, one decimal said; the view plays no part.
    [{ x: -0.25 }, "and it stands 0.1 car lengths from its start."],
    [{ x: -4, totalX: 90 }, "and it stands 1.0 car length from its start."],
    [{ x: 3, z: -4 }, "and it stands 1.3 car lengths from its start."],
    [{ x: 0.1 }, "and it stands at its start."],
  ];
  for (const [numbers, words] of table) {
    const said = sceneWords(scene(numbers));
    assert.ok(said.includes(words), `${JSON.stringify(numbers)}: ${said}`);
  }
});

test("the whole sentence", () => {
  assert.equal(
    sceneWords(scene({ totalX: 50, totalY: 20, heading: 30, steering: 25, x: -5 })),
    "The car seen from its front, from slightly above. It has turned 30 degrees left, its front wheels " +
      "are turned 5 degrees right, and it stands 1.3 car lengths from its start.",
  );
});

// What a press changed, in a few words: what changed first, and never more than a dozen.
test("the words for a press", () => {
  const table = [
    // The Turn view buttons: a drag right shows the car from further left, one down from higher.
    [{}, { totalX: 15 }, "Viewed from 15° further left."],
    [{ totalX: 30 }, { totalX: 15 }, "Viewed from 15° further right."],
    [{}, { totalY: 15 }, "Viewed from 15° higher."],
    [{}, { totalY: -45 }, "Viewed from 45° lower."],
    [{ dragX: 20, totalX: 10 }, { dragX: 20, totalX: 25 }, "Viewed from 15° further left."],
    // Over the top and back.
    [{ totalY: 90 }, { totalY: 105 }, "Viewed from 15° higher, now upside down."],
    [{ totalY: 105 }, { totalY: 90 }, "Viewed from 15° lower, now the right way up."],
    [{ totalY: -90 }, { totalY: -105 }, "Viewed from 15° lower, now upside down."],
    // Driving: which way, how far from the start in sixteenths of a car length, and the heading.
    [{}, { x: -0.25, spin: 20 }, "Forward: 0.06 car lengths from the start."],
    [{}, { x: -2, spin: 160 }, "Forward: 0.50 car lengths from the start."],
    [{ x: -2, spin: 160 }, { x: -1.75, spin: 140 }, "Back: 0.44 car lengths from the start."],
    [{ x: -0.25, spin: 20 }, { spin: 0 }, "Back: at the start."],
    [{ steering: 2 }, { x: -1, z: 0.02, spin: 80, steering: 2, heading: 2 }, "Forward: 0.25 car lengths from the start, turned 2° left."],
    [{}, { x: 1, spin: -80, steering: -30, heading: -30 }, "Back: 0.25 car lengths from the start, turned 30° right."],
    // Steering, against the body.
    [{}, { steering: 2 }, "Wheels 2° left."],
    [{ steering: 0.5 }, { steering: 0 }, "Wheels straight."],
    [{ heading: 30, steering: 30 }, { heading: 30, steering: 28 }, "Wheels 2° right."],
    // A press that changed nothing.
    [{ totalX: 15 }, { totalX: 15 }, "No change."],
  ];
  for (const [before, after, words] of table) {
    const said = changeWords(scene({ spin: 0, ...before }), scene({ spin: 0, ...after }));
    assert.equal(said, words, `${JSON.stringify(before)} to ${JSON.stringify(after)}`);
    assert.ok(said.split(" ").length <= 12, said);
  }
});
