// The handlers end by asking GLUT for a redraw, which needs a window. The fuzzer has none,
// and draws nothing: this definition takes the place of GLUT's at link time.
#include <GL/glut.h>

extern "C" void glutPostRedisplay() {}
