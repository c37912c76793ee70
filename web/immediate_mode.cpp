#include "immediate_mode.h"

namespace {

bool held = false;
GLenum held_mode = GL_TRIANGLE_FAN;

}  // namespace

void WebBegin(GLenum mode) {
  // The emulation has no GL_POLYGON. Every polygon the program draws is convex, so a fan over
  // the same vertices covers the same pixels.
  held_mode = mode == GL_POLYGON ? GL_TRIANGLE_FAN : mode;
  held = true;
}

void WebVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (held) {
    glBegin(held_mode);
    held = false;
  }
  glVertex3f(x, y, z);
}

void WebEnd() {
  // A pair without vertices draws nothing, and never reached the emulation.
  if (!held) glEnd();
  held = false;
}
