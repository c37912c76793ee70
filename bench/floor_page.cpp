// The start floor of the page's benchmarks: a GLUT page with the viewer's window, pixel
// format, one-time GL state and projection, on the same GL emulation and link flags, drawing
// one coloured triangle in immediate mode, in a bare page (start_floor.html) with no script of
// the page's. What the page costs beyond this at its start is the viewer's own.
#include <GL/glut.h>

#include "app/viewer_window.h"
#include "app/window_size.h"

namespace {

void OneTriangle() {
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor3f(0.4f, 0.5f, 0.6f);
  glBegin(GL_TRIANGLES);
  glVertex3f(-2.0f, -0.75f, 0.0f);
  glVertex3f(2.0f, -0.75f, 0.0f);
  glVertex3f(0.0f, 0.5f, 0.0f);
  glEnd();
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  OpenViewerWindow();
  glutReshapeFunc(WindowSize);
  glutDisplayFunc(OneTriangle);
  glutMainLoop();
  return 0;
}
