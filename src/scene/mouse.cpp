#include <GL/glut.h>

#include "scene/controls.h"
#include "scene/orbit.h"
#include "scene/scene_state.h"

namespace {

// Buttons held right now. A drag starts at the first press and is added to the totals at the
// last release, so every pixel of pointer travel counts once however many buttons take part.
unsigned buttons_held = 0;

}  // namespace

void Mouse(int /*button*/, int state, int x, int y) {
  if (state == GLUT_DOWN) {
    if (buttons_held++ == 0) {
      old_rot_x = x;
      old_rot_y = y;
    }
    return;
  }
  if (buttons_held > 0 && --buttons_held == 0) {
    record_x = OrbitPixels(static_cast<long long>(record_x) + x - old_rot_x);
    record_y = OrbitPixels(static_cast<long long>(record_y) + y - old_rot_y);
    rot_x = 0;
    rot_y = 0;
  }
  // A release can move the view to where the pointer let go; redraw so the picture never
  // shows an older state than the one held here.
  glutPostRedisplay();
}

void MotionMouse(int x, int y) {
  rot_x = OrbitPixels(static_cast<long long>(x) - old_rot_x);
  rot_y = OrbitPixels(static_cast<long long>(y) - old_rot_y);
  glutPostRedisplay();
}
