#include "render/display.h"

#include <GL/glut.h>

#include "render/car_parts.h"
#include "scene/orbit.h"
#include "scene/scene_state.h"

void Display() {
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  // The orbit turns the whole scene about the world origin, vertical drag first.
  glRotatef(OrbitAngle(rot_y, record_y), 1.0f, 0.0f, 0.0f);
  glRotatef(OrbitAngle(rot_x, record_x), 0.0f, 1.0f, 0.0f);

  glPushMatrix();  // into the car frame
  glTranslatef(xTran, 0.0f, zTran);
  glRotatef(body_Rot, 0.0f, 1.0f, 0.0f);
  DrawCarBody();
  DrawWheels();
  glPopMatrix();

  glutSwapBuffers();
}
