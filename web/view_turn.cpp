// The page's Turn view buttons. A turn is added straight to the totals, as the end of a drag
// of that many pixels adds it: the same view from any earlier one, and a drag in progress goes
// on from its own anchor, shown turned by as much, without a jump.
#include <GL/glut.h>

#include "scene/orbit.h"
#include "scene/scene_state.h"

extern "C" void TurnView(int dx, int dy) {
  record_x = OrbitPixels(static_cast<long long>(record_x) + dx);
  record_y = OrbitPixels(static_cast<long long>(record_y) + dy);
  glutPostRedisplay();
}
