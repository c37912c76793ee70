// Keys and drags fed through the handlers, then a real frame: what a user sees after them.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include "car_window.h"
#include "case_name.h"
#include "picture_checks.h"
#include "scene/controls.h"
#include "scene_reset.h"

namespace {

struct Session {
  const char* name;
  void (*play)();
  Expected expected;
};

void Press(int key, int times) {
  for (int i = 0; i < times; ++i) Special(key, 0, 0);
}

void Drag(int button, int from_x, int from_y, int to_x, int to_y) {
  Mouse(button, GLUT_DOWN, from_x, from_y);
  MotionMouse(to_x, to_y);
  Mouse(button, GLUT_UP, to_x, to_y);
}

const Expected kFrontEndFaceOn = {{{400, 310, kBody, "front end"},
                                   {400, 292, kCabin, "front slope of the cabin"},
                                   {440, 303, kWhite, "right of the body"}},
                                  Span{310, 400, 60}};

const Session kSessions[] = {
    {"a drag of 90 px right shows the front end face-on",
     [] { Drag(GLUT_LEFT_BUTTON, 100, 100, 190, 100); }, kFrontEndFaceOn},
    {"the drag shows while the button is still held",
     [] {
       Mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 100, 100);
       MotionMouse(190, 100);
     },
     kFrontEndFaceOn},
    {"two drags of 45 px add up",
     [] {
       Drag(GLUT_LEFT_BUTTON, 0, 0, 45, 0);
       Drag(GLUT_MIDDLE_BUTTON, 300, 300, 345, 300);
     },
     kFrontEndFaceOn},
    {"twenty steps forward put the body 200 px left of centre",
     [] { Press(GLUT_KEY_UP, 20); },
     {{{200, 310, kBody, "body"}, {400, 310, kWhite, "where the car started"}},
      Span{310, 200, 160}}},
    {"steering a quarter turn left turns only the front wheels",
     [] { Press(GLUT_KEY_LEFT, 180); },
     {{{345, 330, kWhite, "where the unsteered front tire's left side was"},
       {360, 335, kBlack, "the steered front tire, edge-on"},
       {435, 330, kBlack, "the rear tire, unchanged"}},
      Span{310, 400, 160}}},
    // Seen from above after a drag down: the body's axis now runs from lower left to upper right.
    {"steering 45 degrees left and moving turns the body",
     [] {
       Press(GLUT_KEY_LEFT, 90);
       Press(GLUT_KEY_UP, 1);
       Drag(GLUT_LEFT_BUTTON, 0, 0, 0, 90);
     },
     {{{343, 342, kBody, "body top toward the front, turned"},
       {442, 268, kBody, "body top toward the rear, turned"},
       {465, 318, kWhite, "where the unturned body's rear corner was"}},
      std::nullopt}},
};

class Sessions : public testing::TestWithParam<Session> {};

TEST_P(Sessions, EndOnTheRightPicture) {
  ResetSceneState();
  GetParam().play();
  ExpectPicture(DrawFrame(), GetParam().expected);
  Mouse(GLUT_RIGHT_BUTTON, GLUT_UP, 0, 0);  // let go of a button a session left held
}

INSTANTIATE_TEST_SUITE_P(Input, Sessions, testing::ValuesIn(kSessions),
                         [](const auto& info) { return CaseName(info.param.name); });

}  // namespace
