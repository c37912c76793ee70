#include <GL/glut.h>

#include "render/car_parts.h"
#include "scene/scene_state.h"

namespace {

struct Wheel {
  float step[3];  // translation from the previous wheel (the first: from the car frame)
  bool steered;
  float hub_z;  // plane of the hub bar, on the side away from the car
};

// Front left, front right, rear right, rear left; the centres are the running sums of the steps.
const Wheel kWheels[] = {
    {{-1.0f, -0.75f, 0.75f}, true, 0.025f},
    {{0.0f, 0.0f, -1.5f}, true, -0.025f},
    {{2.25f, 0.0f, 0.0f}, false, -0.025f},
    {{0.0f, 0.0f, 1.5f}, false, 0.025f},
};

void DrawWheel(const Wheel& wheel) {
  glPushMatrix();
  if (wheel.steered) {
    // Undo the body's turn and apply the steering heading: the wheel stands at car_Rot - body_Rot.
    glRotatef(-body_Rot, 0.0f, 1.0f, 0.0f);
    glRotatef(car_Rot, 0.0f, 1.0f, 0.0f);
  }
  glRotatef(tire_Rot, 0.0f, 0.0f, 1.0f);  // spin about the axle, as steered

  // A bar across the hole makes the spin visible.
  glBegin(GL_POLYGON);
  glVertex3f(-0.1f, -0.3f, wheel.hub_z);
  glVertex3f(0.1f, -0.3f, wheel.hub_z);
  glVertex3f(0.1f, 0.3f, wheel.hub_z);
  glVertex3f(-0.1f, 0.3f, wheel.hub_z);
  glEnd();
  glutSolidTorus(0.15, 0.4, 5, 100);
  glPopMatrix();
}

}  // namespace

void DrawWheels() {
  glColor3f(0.0f, 0.0f, 0.0f);
  // Each translation moves on from the previous wheel, outside any push.
  for (const Wheel& wheel : kWheels) {
    glTranslatef(wheel.step[0], wheel.step[1], wheel.step[2]);
    DrawWheel(wheel);
  }
}
