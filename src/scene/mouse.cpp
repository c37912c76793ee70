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

// Where the pointer was at the last press or motion. While a button is held, every move is
// reported (the page passes each one on at the pointer's own place too), so a press of one more
// button anywhere else follows a move with no button down: the held buttons' releases were lost.
// Releases are left out: one comes where the last motion left the pointer, so it adds nothing.
int pointer_x = 0;
int pointer_y = 0;

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
  const bool dragging = held_count > 0;
  if (HeldIndex(button) == held_count) {
    if (held_count == kMouseButtonsTracked) return;
    held[held_count++] = button;
    // A chord: the drag in progress goes on from its own anchor.
    if (dragging && x == pointer_x && y == pointer_y) return;
  }
  // A release was lost (this button is still held, or the pointer moved with none down): the
  // drag ends as last shown and a new one starts here, so the view does not move. The held
  // buttons stay held: in the browser they can be a chord.
  if (dragging) EndDrag(rot_x, rot_y);
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
    pointer_x = x;
    pointer_y = y;
    return;
  }
  Release(button, x, y);
  // A release can move the view to where the pointer let go; redraw so the picture never
  // shows an older state than the one held here.
  glutPostRedisplay();
}

void MotionMouse(int x, int y) {
  // With no button held here the press was never seen, or was one too many: no drag to follow.
  pointer_x = x;
  pointer_y = y;
  if (held_count > 0) {
    rot_x = OrbitPixels(static_cast<long long>(x) - old_rot_x);
    rot_y = OrbitPixels(static_cast<long long>(y) - old_rot_y);
  }
  glutPostRedisplay();
}
