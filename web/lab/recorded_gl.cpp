#include "recorded_gl.h"

#include <string>

#include "call_text.h"
#include "immediate_mode.h"
#include "matrix_stack.h"

namespace {

std::string window_calls;          // what the window-size callback called last, one call a line
std::string frame_calls;           // what the display callback called for the last frame
std::string drawing;               // the frame being drawn
std::string* recording = nullptr;  // outside the callbacks nothing is written down

void (*program_reshape)(int, int) = nullptr;
void (*program_display)() = nullptr;

template <typename... Args>
void Record(const char* name, Args... args) {
  if (recording == nullptr) return;
  *recording += call_text::Call(name, args...);
  *recording += '\n';
}

void RecordedReshape(int width, int height) {
  window_calls.clear();
  recording = &window_calls;
  program_reshape(width, height);
  recording = nullptr;
}

// A frame's list replaces the last one only when it is whole.
void RecordedDisplay() {
  drawing.clear();
  recording = &drawing;
  program_display();
  recording = nullptr;
  frame_calls.swap(drawing);
}

}  // namespace

void LabBegin(GLenum mode) {
  Record("glBegin", mode);
  WebBegin(mode);
}
void LabEnd() {
  Record("glEnd");
  WebEnd();
}
void LabVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  Record("glVertex3f", x, y, z);
  WebVertex3f(x, y, z);
}
void LabColor3f(GLfloat r, GLfloat g, GLfloat b) {
  Record("glColor3f", r, g, b);
  WebColor3f(r, g, b);
}
void LabRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  Record("glRotatef", angle, x, y, z);
  WebRotatef(angle, x, y, z);
}
void LabTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  Record("glTranslatef", x, y, z);
  WebTranslatef(x, y, z);
}
void LabScalef(GLfloat x, GLfloat y, GLfloat z) {
  Record("glScalef", x, y, z);
  WebScalef(x, y, z);
}
void LabPushMatrix() {
  Record("glPushMatrix");
  WebPushMatrix();
}
void LabPopMatrix() {
  Record("glPopMatrix");
  WebPopMatrix();
}
void LabMatrixMode(GLenum mode) {
  Record("glMatrixMode", mode);
  WebMatrixMode(mode);
}
void LabLoadIdentity() {
  Record("glLoadIdentity");
  WebLoadIdentity();
}
void LabClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  Record("glClearColor", r, g, b, a);
  glClearColor(r, g, b, a);
}
void LabClear(GLbitfield mask) {
  Record("glClear", mask);
  WebClear(mask);
}
void LabViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  Record("glViewport", x, y, width, height);
  glViewport(x, y, width, height);
}
void LabOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near,
              GLdouble far) {
  Record("glOrtho", left, right, bottom, top, near, far);
  WebOrtho(left, right, bottom, top, near, far);
}
void LabSolidTorus(GLdouble inner_radius, GLdouble outer_radius, GLint sides, GLint rings) {
  Record("glutSolidTorus", inner_radius, outer_radius, sides, rings);
  glutSolidTorus(inner_radius, outer_radius, sides, rings);
}
void LabSwapBuffers() {
  Record("glutSwapBuffers");
  WebSwapBuffers();
}

void LabReshapeFunc(void (*reshape)(int, int)) {
  program_reshape = reshape;
  glutReshapeFunc(RecordedReshape);
}
void LabDisplayFunc(void (*display)()) {
  program_display = display;
  glutDisplayFunc(RecordedDisplay);
}

extern "C" {
const char* LabWindowCalls() { return window_calls.c_str(); }
const char* LabFrameCalls() { return frame_calls.c_str(); }
}
