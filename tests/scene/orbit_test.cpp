// Mouse drags, fed to Mouse and MotionMouse: the view angle after every event.
#include "scene/orbit.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "case_name.h"
#include "gl_recorder.h"
#include "scene/controls.h"
#include "scene/scene_state.h"
#include "scene_reset.h"

namespace {

enum Kind { kPress, kRelease, kMove };

struct Event {
  Kind kind;
  int button;  // ignored for moves
  int x, y;
  int about_y, about_x;  // the view angles a frame drawn now must show
};

struct OrbitCase {
  const char* name;
  std::vector<Event> events;
};

const int kLeft = GLUT_LEFT_BUTTON, kMiddle = GLUT_MIDDLE_BUTTON, kRight = GLUT_RIGHT_BUTTON;
const int kWheelUp = 3;

static_assert(kMouseButtonsTracked == 8, "a case below holds one button more than that");

const OrbitCase kOrbitCases[] = {
    {"a drag turns the view one degree per pixel",
     {{kPress, kLeft, 100, 200, 0, 0},
      {kMove, 0, 150, 210, 50, 10},
      {kMove, 0, 190, 180, 90, -20},
      {kRelease, kLeft, 190, 180, 90, -20}}},
    {"drags accumulate from where the last one left the view",
     {{kPress, kRight, 0, 0, 0, 0},
      {kMove, 0, 30, 5, 30, 5},
      {kRelease, kRight, 30, 5, 30, 5},
      {kPress, kLeft, 500, 500, 30, 5},
      {kMove, 0, 520, 490, 50, -5},
      {kRelease, kLeft, 520, 490, 50, -5}}},
    {"a click without motion changes nothing",
     {{kPress, kLeft, 5, 5, 0, 0}, {kRelease, kLeft, 5, 5, 0, 0}}},
    {"a release away from the last motion point counts where it let go",
     {{kPress, kLeft, 10, 10, 0, 0}, {kMove, 0, 20, 10, 10, 0}, {kRelease, kLeft, 40, 12, 30, 2}}},
    {"a second button during a drag counts every pixel once",
     {{kPress, kLeft, 300, 0, 0, 0},
      {kMove, 0, 350, 0, 50, 0},
      {kPress, kRight, 350, 0, 50, 0},
      {kMove, 0, 370, 0, 70, 0},
      {kRelease, kLeft, 370, 0, 70, 0},
      {kMove, 0, 390, 0, 90, 0},
      {kRelease, kRight, 390, 0, 90, 0}}},
    {"the second button released first",
     {{kPress, kLeft, 0, 0, 0, 0},
      {kMove, 0, 10, 0, 10, 0},
      {kPress, kMiddle, 10, 0, 10, 0},
      {kMove, 0, 25, -5, 25, -5},
      {kRelease, kMiddle, 25, -5, 25, -5},
      {kMove, 0, 40, -10, 40, -10},
      {kRelease, kLeft, 40, -10, 40, -10}}},
    {"three buttons",
     {{kPress, kLeft, 100, 0, 0, 0},
      {kMove, 0, 110, 0, 10, 0},
      {kPress, kMiddle, 110, 0, 10, 0},
      {kMove, 0, 130, 0, 30, 0},
      {kPress, kRight, 130, 0, 30, 0},
      {kMove, 0, 160, 0, 60, 0},
      {kRelease, kMiddle, 160, 0, 60, 0},
      {kRelease, kLeft, 160, 0, 60, 0},
      {kMove, 0, 200, 0, 100, 0},
      {kRelease, kRight, 200, 0, 100, 0}}},
    {"a wheel click during a drag does not move the anchor",
     {{kPress, kLeft, 0, 0, 0, 0},
      {kMove, 0, 40, 0, 40, 0},
      {kPress, kWheelUp, 40, 0, 40, 0},
      {kRelease, kWheelUp, 40, 0, 40, 0},
      {kMove, 0, 60, 0, 60, 0},
      {kRelease, kLeft, 60, 0, 60, 0}}},
    {"a release with no button held changes nothing", {{kRelease, kLeft, 500, 700, 0, 0}}},
    {"a release of a button never pressed leaves the drag going",
     {{kPress, kLeft, 0, 0, 0, 0},
      {kMove, 0, 20, 5, 20, 5},
      {kRelease, kRight, 20, 5, 20, 5},
      {kMove, 0, 40, 10, 40, 10},
      {kRelease, kLeft, 40, 10, 40, 10}}},
    {"motion with no button held changes nothing",
     {{kMove, 0, 50, 50, 0, 0},
      {kPress, kLeft, 10, 10, 0, 0},
      {kMove, 0, 20, 10, 10, 0},
      {kRelease, kLeft, 20, 10, 10, 0},
      {kMove, 0, 99, 99, 10, 0}}},
    // The window hidden mid-drag: its release went elsewhere. The next press of that button ends
    // the drag as last shown and anchors a new one, and later drags count from their own press.
    {"a lost release ends at the next press of that button",
     {{kPress, kLeft, 400, 300, 0, 0},
      {kMove, 0, 450, 300, 50, 0},
      {kPress, kLeft, 450, 300, 50, 0},
      {kMove, 0, 460, 300, 60, 0},
      {kRelease, kLeft, 460, 300, 60, 0},
      {kPress, kLeft, 300, 300, 60, 0},
      {kMove, 0, 310, 300, 70, 0},
      {kRelease, kLeft, 310, 300, 70, 0},
      {kPress, kLeft, 600, 300, 70, 0},
      {kMove, 0, 530, 300, 0, 0},
      {kRelease, kLeft, 530, 300, 0, 0}}},
    {"after a lost release the next press anchors where it happens",
     {{kPress, kLeft, 100, 100, 0, 0},
      {kMove, 0, 150, 100, 50, 0},
      {kPress, kLeft, 300, 300, 50, 0},
      {kMove, 0, 310, 290, 60, -10},
      {kRelease, kLeft, 310, 290, 60, -10}}},
    {"a lost release of one button of two",
     {{kPress, kLeft, 0, 0, 0, 0},
      {kMove, 0, 10, 0, 10, 0},
      {kPress, kRight, 10, 0, 10, 0},
      {kMove, 0, 30, 0, 30, 0},
      {kRelease, kRight, 30, 0, 30, 0},  // the left button's release was lost before this
      {kPress, kLeft, 100, 50, 30, 0},
      {kMove, 0, 120, 40, 50, -10},
      {kRelease, kLeft, 120, 40, 50, -10}}},
    {"a lost release while a second button stays down",
     {{kPress, kLeft, 0, 0, 0, 0},
      {kMove, 0, 10, 0, 10, 0},
      {kPress, kRight, 10, 0, 10, 0},
      {kPress, kLeft, 50, 0, 10, 0},  // the left button's release was lost
      {kMove, 0, 60, 0, 20, 0},
      {kRelease, kLeft, 60, 0, 20, 0},
      {kMove, 0, 70, 0, 30, 0},
      {kRelease, kRight, 70, 0, 30, 0}}},
    // The left button's release was lost, and the pointer moved with no button down before the
    // right press: each right drag counts from its own press, until the left is pressed again.
    {"another button after a lost release starts a drag of its own",
     {{kPress, kLeft, 100, 100, 0, 0},
      {kMove, 0, 150, 100, 50, 0},
      {kPress, kRight, 400, 100, 50, 0},
      {kMove, 0, 410, 100, 60, 0},
      {kRelease, kRight, 410, 100, 60, 0},
      {kPress, kRight, 200, 120, 60, 0},
      {kMove, 0, 230, 110, 90, -10},
      {kRelease, kRight, 230, 110, 90, -10},
      {kPress, kLeft, 0, 0, 90, -10},
      {kRelease, kLeft, 0, 0, 90, -10}}},
    {"any int is a button number",
     {{kPress, INT_MIN, 0, 0, 0, 0},
      {kMove, 0, 5, 0, 5, 0},
      {kPress, INT_MAX, 5, 0, 5, 0},
      {kPress, -1, 5, 0, 5, 0},
      {kRelease, INT_MIN, 5, 0, 5, 0},
      {kMove, 0, 15, 0, 15, 0},
      {kPress, INT_MAX, 40, 0, 15, 0},  // its release was lost
      {kMove, 0, 45, 0, 20, 0},
      {kRelease, INT_MAX, 45, 0, 20, 0},
      {kRelease, -1, 45, 0, 20, 0}}},
    // Buttons 0 to 7 held, 8 is one too many: the drag ends with the release of the last of the
    // eight, and the motion and release of button 8 after that change nothing.
    {"a button beyond the ones followed plays no part",
     {{kPress, 0, 0, 0, 0, 0},     {kPress, 1, 0, 0, 0, 0},     {kPress, 2, 0, 0, 0, 0},
      {kPress, 3, 0, 0, 0, 0},     {kPress, 4, 0, 0, 0, 0},     {kPress, 5, 0, 0, 0, 0},
      {kPress, 6, 0, 0, 0, 0},     {kPress, 7, 0, 0, 0, 0},     {kPress, 8, 0, 0, 0, 0},
      {kMove, 0, 10, 0, 10, 0},    {kPress, 8, 10, 0, 10, 0},   {kRelease, 0, 10, 0, 10, 0},
      {kRelease, 1, 10, 0, 10, 0}, {kRelease, 2, 10, 0, 10, 0}, {kRelease, 3, 10, 0, 10, 0},
      {kRelease, 4, 10, 0, 10, 0}, {kRelease, 5, 10, 0, 10, 0}, {kRelease, 6, 10, 0, 10, 0},
      {kRelease, 7, 10, 0, 10, 0}, {kMove, 0, 30, 0, 10, 0},    {kRelease, 8, 30, 0, 10, 0}}},
    {"totals pass 360 degrees unreduced",
     {{kPress, kLeft, 0, 0, 0, 0},
      {kMove, 0, 400, -400, 400, -400},
      {kRelease, kLeft, 400, -400, 400, -400},
      {kPress, kLeft, 0, 0, 400, -400},
      {kMove, 0, 400, -400, 800, -800},
      {kRelease, kLeft, 400, -400, 800, -800}}},
};

class Orbit : public testing::TestWithParam<OrbitCase> {};

TEST_P(Orbit, ShowsTheRunningTotalAfterEveryEvent) {
  ResetSceneState();
  for (const Event& event : GetParam().events) {
    ClearCalls();
    if (event.kind == kMove)
      MotionMouse(event.x, event.y);
    else
      Mouse(event.button, event.kind == kPress ? GLUT_DOWN : GLUT_UP, event.x, event.y);

    const std::string where =
        "after the event at (" + std::to_string(event.x) + ", " + std::to_string(event.y) + ")";
    EXPECT_EQ(rot_x + record_x, event.about_y) << where;
    EXPECT_EQ(rot_y + record_y, event.about_x) << where;
    EXPECT_EQ(OrbitAngle(rot_x, record_x), static_cast<float>(event.about_y)) << where;
    // Releases and motion may change the view and redraw; a press changes nothing on screen.
    const std::vector<std::string> redraw = {"glutPostRedisplay()"};
    EXPECT_EQ(RecordedCalls(), event.kind == kPress ? std::vector<std::string>{} : redraw) << where;
  }
  // Once every button is up, the whole angle lives in the totals.
  EXPECT_EQ(rot_x, 0);
  EXPECT_EQ(rot_y, 0);
  EXPECT_EQ(record_x, GetParam().events.back().about_y);
  EXPECT_EQ(record_y, GetParam().events.back().about_x);
}

INSTANTIATE_TEST_SUITE_P(Drags, Orbit, testing::ValuesIn(kOrbitCases),
                         [](const auto& info) { return CaseName(info.param.name); });

long long Mod360(long long degrees) { return ((degrees % 360) + 360) % 360; }

// Pointer positions at the ends of the int range: every difference and sum overflows an int
// unless it is formed wide. The angle must stay exact modulo 360.
TEST(HugeDrags, KeepTheAngleExactModulo360) {
  ResetSceneState();
  long long true_x = 0, true_y = 0;  // pixels dragged, counted without limit
  for (int drag = 0; drag < 1000; ++drag) {
    const int from = drag % 2 ? INT_MAX : INT_MIN;
    const int to = drag % 2 ? INT_MIN : INT_MAX;
    const int via = drag % 3 ? to : 0;
    Mouse(kLeft, GLUT_DOWN, from, to);
    MotionMouse(via, from);
    const float live_x = OrbitAngle(rot_x, record_x);
    EXPECT_EQ(Mod360(static_cast<long long>(live_x)), Mod360(true_x + via - from));
    Mouse(kLeft, GLUT_UP, to, from);
    true_x += static_cast<long long>(to) - from;
    true_y += static_cast<long long>(from) - to;
    const float about_y = OrbitAngle(rot_x, record_x);
    const float about_x = OrbitAngle(rot_y, record_y);
    ASSERT_EQ(about_y, static_cast<float>(static_cast<long long>(about_y))) << "not whole";
    EXPECT_EQ(Mod360(static_cast<long long>(about_y)), Mod360(true_x)) << "drag " << drag;
    EXPECT_EQ(Mod360(static_cast<long long>(about_x)), Mod360(true_y)) << "drag " << drag;
  }
  ClearCalls();
}

TEST(OrbitAngle, IsExactAndReducedOnlyBeyondWhatAFloatHolds) {
  struct {
    int offset, total;
    float angle;
  } const cases[] = {
      {0, 0, 0.0f},
      {-45, 400, 355.0f},
      {1 << 24, 0, 16777216.0f},    // the largest a float holds exactly: unreduced
      {(1 << 24) + 1, 0, 137.0f},   // 16777217 mod 360
      {INT_MAX, INT_MAX, 254.0f},   // 4294967294 mod 360
      {INT_MIN, INT_MIN, -256.0f},  // -4294967296 mod 360, sign kept
  };
  for (const auto& c : cases)
    EXPECT_EQ(OrbitAngle(c.offset, c.total), c.angle) << c.offset << " + " << c.total;
}

}  // namespace
