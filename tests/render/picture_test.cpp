// Real frames on Mesa, read back from the window: flat colours probed a few pixels away from
// any edge. At 800 x 600 one scene unit is 40 pixels across and 30 tall, and the world origin
// is at pixel (400, 300), counted from the top-left.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include "car_window.h"
#include "case_name.h"
#include "picture_checks.h"
#include "picture_measures.h"
#include "scene/scene_state.h"
#include "scene_reset.h"

namespace {

struct View {
  const char* name;
  void (*set_scene)();
  Expected expected;
};

const View kViews[] = {
    {"start: the z 0.75 side, front to the left",
     [] {},
     {{{400, 310, kBody, "body side between the wheels"},
       {330, 303, kBody, "front end of the body side"},
       {470, 303, kBody, "rear end of the body side"},
       {400, 292, kCabin, "cabin side"},
       {440, 295, kCabin, "cabin side by the rear slope"},
       {355, 292, kWhite, "ahead of the front slope"},
       {400, 270, kWhite, "above the roof"},
       {300, 310, kWhite, "ahead of the car"},
       {500, 310, kWhite, "behind the car"},
       {400, 335, kWhite, "under the body between the wheels"},
       {360, 335, kBlack, "front tire below the body"},
       {450, 335, kBlack, "rear tire below the body"},
       {360, 342, kWhite, "below the tires, which end at y = -1.3"},
       {360, 318, kBlack, "front hub bar, upper half"},
       {360, 327, kBlack, "front hub bar, lower half"},
       {353, 325, kWhite, "front wheel's hole left of the bar"},
       {367, 325, kWhite, "front wheel's hole right of the bar"},
       {450, 327, kBlack, "rear hub bar"},
       {443, 325, kWhite, "rear wheel's hole left of the bar"},
       {457, 325, kWhite, "rear wheel's hole right of the bar"}},
      Span{310, 400, 160}}},
    {"turned 90 degrees about y: the front end face-on",
     [] { rot_x = 90; },
     {{{400, 310, kBody, "front end"},
       {374, 303, kBody, "front end, left"},
       {426, 303, kBody, "front end, right"},
       {400, 292, kCabin, "front slope of the cabin"},
       {360, 303, kWhite, "left of the body"},
       {440, 303, kWhite, "right of the body"},
       {400, 330, kWhite, "under the body between the wheels"},
       {367, 330, kBlack, "a front tire, edge-on"},
       {433, 330, kBlack, "the other front tire, edge-on"}},
      Span{310, 400, 60}}},
    {"turned 180 degrees about y: the z -0.75 side, front to the right",
     [] { rot_x = 180; },
     {{{400, 310, kBody, "body side"},
       {360, 292, kCabin, "cabin side, its rear now on the left"},
       {437, 292, kWhite, "ahead of the front slope, now on the right"}},
      Span{310, 400, 160}}},
    {"turned 90 degrees about x: from above",
     [] { rot_y = 90; },
     {{{410, 300, kRoof, "roof"},
       {370, 300, kCabin, "front slope"},
       {445, 300, kCabin, "rear slope"},
       {340, 300, kBody, "body top ahead of the cabin"},
       {470, 300, kBody, "body top behind the cabin"},
       {360, 325, kBlack, "wheel 1, outside the body"},
       {360, 275, kBlack, "wheel 2, outside the body"},
       {450, 275, kBlack, "wheel 3, outside the body"},
       {450, 325, kBlack, "wheel 4, outside the body"},
       {400, 325, kWhite, "between the wheels"}},
      std::nullopt}},
    {"turned -90 degrees about x: from below, no bottom faces",
     [] { rot_y = -90; },
     {{{410, 300, kBody, "the back of the body top hides the roof"},
       {370, 300, kBody, "the back of the body top hides the front slope"},
       {400, 265, kWhite, "beyond the body"}},
      std::nullopt}},
    {"only the front wheels steered, a quarter turn",
     [] { car_Rot = 90; },
     {{{345, 330, kWhite, "where the unsteered front tire's left side was"},
       {375, 330, kWhite, "where the unsteered front tire's right side was"},
       {360, 335, kBlack, "the steered front tire, edge-on"},
       {435, 330, kBlack, "the rear tire, unchanged"},
       {400, 310, kBody, "the body, unchanged"}},
      Span{310, 400, 160}}},
    {"moved to x = -5",
     [] { xTran = -5.0f; },
     {{{200, 310, kBody, "body"},
       {160, 335, kBlack, "front tire"},
       {400, 310, kWhite, "where the car started"}},
      Span{310, 200, 160}}},
    {"moved to x = -5 and turned 180 degrees: the turn is about the world origin",
     [] {
       xTran = -5.0f;
       rot_x = 180;
     },
     {{{600, 310, kBody, "body"}, {200, 310, kWhite, "where the car stood before the turn"}},
      Span{310, 600, 160}}},
};

class Frames : public testing::TestWithParam<View> {};

TEST_P(Frames, ShowTheCarAsTheSceneStateSays) {
  ResetSceneState();
  GetParam().set_scene();
  ExpectPicture(DrawFrame(), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Views, Frames, testing::ValuesIn(kViews),
                         [](const auto& info) { return CaseName(info.param.name); });

// How far a wheel's hub bar leans, in pixels: where the bar crosses a row below the axle
// minus where it crosses a row above. Positive is counterclockwise as seen in the start view.
double HubBarLean(const Picture& picture, int centre_x) {
  const auto bar_middle = [&](int row) {
    const Extent bar = Measure(picture, Row(row, kBlack), centre_x - 7, centre_x + 7);
    return (bar.first + bar.last) / 2.0;
  };
  return bar_middle(327) - bar_middle(318);
}

TEST(HubBars, TurnWithTheWheels) {
  const struct {
    float tire_Rot;
    double lean_from, lean_to;
  } cases[] = {
      {0.0f, -1.0, 1.0},     // upright
      {20.0f, 2.0, 8.0},     // one step forward: counterclockwise
      {-20.0f, -8.0, -2.0},  // one step back: clockwise
      {180.0f, -1.0, 1.0},   // nine steps: upright again, the bar being symmetric
  };
  const int wheel_1_x = 360, wheel_4_x = 450;  // the two wheels on the near side
  for (const auto& c : cases) {
    ResetSceneState();
    tire_Rot = c.tire_Rot;
    const Picture picture = DrawFrame();
    for (int wheel_x : {wheel_1_x, wheel_4_x}) {
      const double lean = HubBarLean(picture, wheel_x);
      EXPECT_GE(lean, c.lean_from) << "tire_Rot " << c.tire_Rot << ", wheel at x " << wheel_x;
      EXPECT_LE(lean, c.lean_to) << "tire_Rot " << c.tire_Rot << ", wheel at x " << wheel_x;
    }
  }
}

TEST(MatrixStack, IsAsDeepAfterAFrameAsBefore) {
  ResetSceneState();
  car_Rot = 10.0f;
  GLint before = 0, after = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &before);
  DrawFrame();
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after);
  EXPECT_EQ(after, before);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
