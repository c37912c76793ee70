#include "random_user.h"

#include <GL/glut.h>

#include <iterator>

#include "scene/controls.h"

namespace {

const int kButtons = 5;  // left, middle, right and the two wheel directions
// Arrows, and a few keys that do nothing: F1, Page Up, Home, Insert.
const int kKeys[] = {GLUT_KEY_UP, GLUT_KEY_DOWN,    GLUT_KEY_LEFT, GLUT_KEY_RIGHT,
                     GLUT_KEY_F1, GLUT_KEY_PAGE_UP, GLUT_KEY_HOME, GLUT_KEY_INSERT};

}  // namespace

int RandomUser::Coordinate() { return std::uniform_int_distribution<int>(-400, 1200)(random_); }

void RandomUser::NextEvent() {
  const int pick = std::uniform_int_distribution<int>(0, 9)(random_);
  if (pick < 4) {
    const int last = static_cast<int>(std::size(kKeys)) - 1;
    Special(kKeys[std::uniform_int_distribution<int>(0, last)(random_)], Coordinate(),
            Coordinate());
  } else if (pick < 7 || buttons_held_ == 0) {
    const int button = std::uniform_int_distribution<int>(0, kButtons - 1)(random_);
    const unsigned bit = 1u << button;
    buttons_held_ ^= bit;
    Mouse(button, (buttons_held_ & bit) ? GLUT_DOWN : GLUT_UP, Coordinate(), Coordinate());
  } else {
    MotionMouse(Coordinate(), Coordinate());
  }
}
