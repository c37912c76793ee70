#include "gl_recorder.h"

#include <GL/glut.h>

#include "call_text.h"

namespace {

std::vector<std::string> calls;

template <typename... Args>
void Record(const char* name, Args... args) {
  calls.push_back(call_text::Call(name, args...));
}

}  // namespace

const std::vector<std::string>& RecordedCalls() { return calls; }
void ClearCalls() { calls.clear(); }

extern "C" {
void glBegin(GLenum mode) { Record("glBegin", mode); }
void glEnd() { Record("glEnd"); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { Record("glVertex3f", x, y, z); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { Record("glColor3f", r, g, b); }
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  Record("glRotatef", angle, x, y, z);
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { Record("glTranslatef", x, y, z); }
void glScalef(GLfloat x, GLfloat y, GLfloat z) { Record("glScalef", x, y, z); }
void glPushMatrix() { Record("glPushMatrix"); }
void glPopMatrix() { Record("glPopMatrix"); }
void glMatrixMode(GLenum mode) { Record("glMatrixMode", mode); }
void glLoadIdentity() { Record("glLoadIdentity"); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  Record("glClearColor", r, g, b, a);
}
void glClear(GLbitfield mask) { Record("glClear", mask); }
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  Record("glViewport", x, y, width, height);
}
void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
  Record("glOrtho", l, r, b, t, n, f);
}
void glutSolidTorus(double inner, double outer, GLint sides, GLint rings) {
  Record("glutSolidTorus", inner, outer, sides, rings);
}
void glutSwapBuffers() { Record("glutSwapBuffers"); }
void glutPostRedisplay() { Record("glutPostRedisplay"); }
}
