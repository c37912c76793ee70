#include "app/window_size.h"

#include <GL/gl.h>

void WindowSize(int width, int height) {
  if (height == 0) height = 1;
  glViewport(0, 0, width, height);

  // A fixed 20 x 20 box: the picture stretches with the window and never follows the car.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-10.0, 10.0, -10.0, 10.0, -10.0, 30.0);

  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
