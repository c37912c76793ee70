#include <GL/glut.h>

#include <cmath>

#include "scene/controls.h"
#include "scene/scene_state.h"

namespace {

const double kStepLength = 0.25;  // scene units per move
const float kSpinStep = 20.0f;    // degrees of wheel spin per move
const float kTurnStep = 0.5f;     // degrees of steering per left or right arrow
const double kPi = 3.141592653589793;

// direction is +1 for a step forward, -1 for a step back.
void Move(int direction) {
  // In double, multiplying by pi before dividing by 180: the order decides how each step rounds.
  const double heading = car_Rot * kPi / 180.0;
  const double step = direction * kStepLength;
  // The front of the car points along -x of the car frame, so forward is (-cos, 0, sin).
  xTran = static_cast<float>(xTran - step * std::cos(heading));
  zTran = static_cast<float>(zTran + step * std::sin(heading));
  tire_Rot += static_cast<float>(direction) * kSpinStep;
  body_Rot = car_Rot;
}

}  // namespace

void Special(int key, int /*x*/, int /*y*/) {
  if (key == GLUT_KEY_UP) Move(+1);
  if (key == GLUT_KEY_DOWN) Move(-1);
  if (key == GLUT_KEY_LEFT) car_Rot += kTurnStep;
  if (key == GLUT_KEY_RIGHT) car_Rot -= kTurnStep;
  glutPostRedisplay();
}
