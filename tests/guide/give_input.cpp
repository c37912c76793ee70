#include "give_input.h"

#include <GL/glut.h>

#include <string>

#include "scene/controls.h"

namespace {

int ArrowKey(const std::string& name) {
  if (name == "left") return GLUT_KEY_LEFT;
  if (name == "right") return GLUT_KEY_RIGHT;
  if (name == "up") return GLUT_KEY_UP;
  return GLUT_KEY_DOWN;
}

}  // namespace

void GiveInput(const std::vector<Input>& input) {
  for (const Input& step : input) {
    if (step.drag) {
      Mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 400, 300);
      MotionMouse(400 + step.dx, 300 + step.dy);
      Mouse(GLUT_LEFT_BUTTON, GLUT_UP, 400 + step.dx, 300 + step.dy);
      continue;
    }
    for (int n = step.count; n > 0; --n) Special(ArrowKey(step.key), 0, 0);
  }
}
