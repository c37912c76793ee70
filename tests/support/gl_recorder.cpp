#include "gl_recorder.h"

#include <GL/glut.h>

#include <charconv>

namespace {

std::vector<std::string> calls;

// The shortest text that reads back as the same value, so expectations read as decimals.
template <typename Number>
std::string Text(Number value) {
  char text[64];
  const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
  return std::string(text, end.ptr);
}

std::string Text(GLenum value) {
  switch (value) {
    case GL_POLYGON:
      return "GL_POLYGON";
    case GL_PROJECTION:
      return "GL_PROJECTION";
    case GL_MODELVIEW:
      return "GL_MODELVIEW";
    case GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT:
      return "GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT";
    default:
      return std::to_string(value);
  }
}

template <typename... Args>
void Record(const char* name, Args... args) {
  std::string call = std::string(name) + "(";
  [[maybe_unused]] const char* separator = "";
  ((call += separator + Text(args), separator = ", "), ...);
  calls.push_back(call + ")");
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
