#include <GL/glut.h>

#include "scene/controls.h"
#include "scene/orbit.h"
#include "scene/scene_state.h"

namespace {

// The buttons held, by number. A drag starts at the first press and is added to the totals at
// the last release, so every pixel of pointer travel counts once however many buttons take part.
// Numbers, not a count: a release that never reached the window (hidden mid-drag) then shows as
// a press of a button still held, and the drag it left open can end; a count stays wrong for
// good. Any int is a button number: the numbers are only compared, never a shift or an index,
// and a fixed array keeps the handlers free of allocation.
int held[kMouseButtonsTracked];
int held_count = 0;

// Where `button` sits in `held`, or held_count if it is not held.
int HeldIndex(int button) {
  int i = 0;
  while (i < held_count && held[i] != button) ++i;
  return i;
}

// Ends the drag in progress, adding its offset to the totals; formed wide, as offset and total
// can each be near the int limits.
void EndDrag(long long offset_x, long long offset_y) {
  record_x = OrbitPixels(record_x + offset_x);
  record_y = OrbitPixels(record_y + offset_y);
  rot_x = 0;
  rot_y = 0;
}

void Press(int button, int x, int y) {
  if (HeldIndex(button) < held_count) {
    // Its release was lost: that drag ends as last shown, and this press starts a new one.
    EndDrag(rot_x, rot_y);
  } else if (held_count == kMouseButtonsTracked) {
    return;
  } else {
    held[held_count++] = button;
    if (held_count > 1) return;  // joins the drag in progress, which keeps its anchor
  }
  old_rot_x = x;
  old_rot_y = y;
}

void Release(int button, int x, int y) {
  const int i = HeldIndex(button);
  if (i == held_count) return;
  held[i] = held[--held_count];
  if (held_count == 0)
    EndDrag(static_cast<long long>(x) - old_rot_x, static_cast<long long>(y) - old_rot_y);
}

}  // namespace

void Mouse(int button, int state, int x, int y) {
  if (state == GLUT_DOWN) {
    Press(button, x, y);
    return;
  }
  Release(button, x, y);
  // A release can move the view to where the pointer let go; redraw so the picture never
  // shows an older state than the one held here.
  glutPostRedisplay();
}

void MotionMouse(int x, int y) {
  // With no button held here the press was never seen, or was one too many: no drag to follow.
  if (held_count > 0) {
    rot_x = OrbitPixels(static_cast<long long>(x) - old_rot_x);
    rot_y = OrbitPixels(static_cast<long long>(y) - old_rot_y);
  }
  glutPostRedisplay();
}
