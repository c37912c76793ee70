#include "app/viewer_window.h"

#include <GL/glut.h>

void OpenViewerWindow() {
  glutInitWindowSize(800, 600);
  // The stencil buffer is asked for but never used.
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
  glutCreateWindow("Car");

  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  glEnable(GL_DEPTH_TEST);
}
