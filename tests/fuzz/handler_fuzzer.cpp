// libFuzzer target: any sequence of key, button and motion events with arbitrary int arguments,
// fed to Special, Mouse and MotionMouse, with the scene-state invariants checked after each.
// The sanitizers catch undefined behaviour; the checks below catch wrong state.
#include <GL/glut.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "event_stream.h"
#include "scene/controls.h"
#include "scene/orbit.h"
#include "scene/scene_state.h"
#include "scene_reset.h"

namespace {

// What GLUT has delivered so far, with the true pixel totals in wide integers.
struct Model {
  std::set<int> buttons_held;
  long long anchor_x = 0, anchor_y = 0;
  long long offset_x = 0, offset_y = 0;  // the drag in progress, as of its last motion
  long long total_x = 0, total_y = 0;    // every finished drag
  int pointer_x = 0, pointer_y = 0;      // the last press or motion

  void Apply(const Event& event) {
    const int button = event.key_or_button;
    switch (event.kind) {
      case EventKind::kPress:
        Press(button, event.x, event.y);
        pointer_x = event.x;
        pointer_y = event.y;
        break;
      case EventKind::kRelease:
        if (buttons_held.erase(button) != 0 && buttons_held.empty()) {
          total_x += event.x - anchor_x;
          total_y += event.y - anchor_y;
          offset_x = offset_y = 0;
        }
        break;
      case EventKind::kMotion:
        pointer_x = event.x;
        pointer_y = event.y;
        if (buttons_held.empty()) break;
        offset_x = event.x - anchor_x;
        offset_y = event.y - anchor_y;
        break;
      case EventKind::kKey:
        break;
    }
  }

  void Press(int button, int x, int y) {
    if (buttons_held.count(button) == 0) {
      if (buttons_held.size() == std::size_t{kMouseButtonsTracked}) return;  // one too many
      buttons_held.insert(button);
      // Another button where the pointer is joins the drag in progress.
      if (buttons_held.size() > 1 && x == pointer_x && y == pointer_y) return;
    }
    // A release was lost: the drag ends as last shown and a new one starts here.
    total_x += offset_x;
    total_y += offset_y;
    offset_x = offset_y = 0;
    anchor_x = x;
    anchor_y = y;
  }
};

struct CarPose {
  float x, z, heading, spin, body;
};

CarPose Pose() { return {xTran, zTran, car_Rot, tire_Rot, body_Rot}; }

void Require(bool holds, const char* invariant) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", invariant);
  std::abort();
}

bool CongruentMod360(long long a, long long b) { return (a - b) % 360 == 0; }

// The angle Display turns the view by must be a whole number of degrees, congruent to the truth.
bool ShowsAngle(int offset, int total, long long truth) {
  const float angle = OrbitAngle(offset, total);
  return std::nearbyint(angle) == angle && CongruentMod360(static_cast<long long>(angle), truth);
}

void CheckInvariants(const Event& event, const Model& model, const CarPose& before) {
  if (model.buttons_held.empty())
    Require(rot_x == 0 && rot_y == 0, "no drag offset outside a drag");

  const long long truth_x = model.total_x + model.offset_x;
  const long long truth_y = model.total_y + model.offset_y;
  Require(CongruentMod360(static_cast<long long>(rot_x) + record_x, truth_x),
          "rot_x + record_x is the true horizontal travel modulo 360");
  Require(CongruentMod360(static_cast<long long>(rot_y) + record_y, truth_y),
          "rot_y + record_y is the true vertical travel modulo 360");
  Require(ShowsAngle(rot_x, record_x, truth_x), "the angle drawn about y is the true travel");
  Require(ShowsAngle(rot_y, record_y, truth_y), "the angle drawn about x is the true travel");

  const CarPose after = Pose();
  const bool key = event.kind == EventKind::kKey;
  const bool move =
      key && (event.key_or_button == GLUT_KEY_UP || event.key_or_button == GLUT_KEY_DOWN);
  const bool steer =
      key && (event.key_or_button == GLUT_KEY_LEFT || event.key_or_button == GLUT_KEY_RIGHT);
  if (move) {
    Require(car_Rot - body_Rot == 0.0f, "the body lines up with the heading on a move");
  } else {
    Require(after.x == before.x && after.z == before.z, "only up and down move the car");
    Require(after.spin == before.spin && after.body == before.body,
            "only up and down turn the wheels and the body");
  }
  if (!steer) Require(after.heading == before.heading, "only left and right steer");
}

void Step(const Event& event, Model& model) {
  const CarPose before = Pose();
  Deliver(event);
  model.Apply(event);
  CheckInvariants(event, model, before);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ResetSceneState();
  Model model;
  EventStream events(data, size);
  Event event;
  // Motion comes with no button held too: after a press the window never saw, or with only a
  // button held beyond those followed.
  while (events.Next(event)) Step(event, model);
  // Let go of every button, so that the handlers start the next input with none held, as the
  // model does.
  const std::set<int> held = model.buttons_held;
  for (const int button : held) Step({EventKind::kRelease, button, 0, 0}, model);
  return 0;
}
