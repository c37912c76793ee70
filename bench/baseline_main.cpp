// The baseline program for the whole-program benchmarks: the viewer's window, pixel format and
// one-time GL state, but every frame only clears, and an arrow key only asks for a redraw.
// What the viewer costs beyond this is what its own scene, drawing and handlers add.
#include <GL/glut.h>

#include "car_window.h"
#include "clear_frame.h"

namespace {

void RedrawOnly(int /*key*/, int /*x*/, int /*y*/) { glutPostRedisplay(); }

}  // namespace

int main() {
  OpenCarWindow();
  glutDisplayFunc(ClearFrame);
  glutSpecialFunc(RedrawOnly);
  glutMainLoop();
  return 0;
}
