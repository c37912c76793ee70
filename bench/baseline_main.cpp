// The baseline program for the whole-program benchmarks: the viewer's window, pixel format and
// one-time GL state, but every frame only clears, and an arrow key only asks for a redraw.
// What the viewer costs beyond this is what its own scene, drawing and handlers add.
#include <GL/glut.h>

#include "clear_frame.h"

namespace {

void RedrawOnly(int /*key*/, int /*x*/, int /*y*/) { glutPostRedisplay(); }

}  // namespace

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitWindowSize(800, 600);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
  glutCreateWindow("Car");

  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  glEnable(GL_DEPTH_TEST);

  glutDisplayFunc(ClearFrame);
  glutSpecialFunc(RedrawOnly);

  glutMainLoop();
  return 0;
}
