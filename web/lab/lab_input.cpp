// What the lab's script calls to give both of its views the same input: the program's own
// handlers, by names it can call. The coordinates are whole CSS pixels in the view's box.
#include <GL/glut.h>

#include "scene/controls.h"

extern "C" {
void LabSpecial(int key) { Special(key, 0, 0); }
void LabMouse(int button, int state, int x, int y) { Mouse(button, state, x, y); }
void LabMotion(int x, int y) { MotionMouse(x, y); }
}
