#include "recorded_gl.h"

#include <string>

#include "call_text.h"
#include "immediate_mode.h"
#include "matrix_stack.h"

namespace {

std::string opening_calls;  // what the program called before its main loop, one call a line
std::string window_calls;   // what the window-size callback called last
std::string frame_calls;    // what the display callback called for the last frame
std::string drawing;        // the frame being drawn
// From the start to the main loop, then in the callbacks only.
std::string* recording = &opening_calls;

void (*program_reshape)(int, int) = nullptr;
void (*program_display)() = nullptr;

// GLUT's display mode bits, by name.
struct DisplayMode {
  unsigned int bits;
};

std::string Text(DisplayMode mode) {
  struct Bit {
    unsigned int bit;
    const char* name;
  };
  const Bit kBits[] = {{GLUT_DOUBLE, "GLUT_DOUBLE"},
                       {GLUT_ACCUM, "GLUT_ACCUM"},
                       {GLUT_ALPHA, "GLUT_ALPHA"},
                       {GLUT_DEPTH, "GLUT_DEPTH"},
                       {GLUT_STENCIL, "GLUT_STENCIL"}};
  std::string names = mode.bits & GLUT_INDEX ? "GLUT_INDEX" : "GLUT_RGB";
  for (const Bit& bit : kBits) {
    if (mode.bits & bit.bit) names += std::string(" | ") + bit.name;
  }
  return names;
}

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
  WebClearColor(r, g, b, a);
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

void LabInitWindowSize(int width, int height) {
  Record("glutInitWindowSize", width, height);
  WebInitWindowSize(width, height);
}
void LabInitDisplayMode(unsigned int mode) {
  Record("glutInitDisplayMode", DisplayMode{mode});
  glutInitDisplayMode(mode);
}
int LabCreateWindow(const char* title) {
  Record("glutCreateWindow", title);
  return glutCreateWindow(title);
}
void LabEnable(GLenum capability) {
  Record("glEnable", capability);
  glEnable(capability);
}
void LabMainLoop() {
  Record("glutMainLoop");
  recording = nullptr;
  glutMainLoop();
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
const char* LabOpeningCalls() { return opening_calls.c_str(); }
const char* LabWindowCalls() { return window_calls.c_str(); }
const char* LabFrameCalls() { return frame_calls.c_str(); }
// A frame drawn now, as GLUT's redisplay draws one: for the lab's benchmark.
void LabRedraw() { RecordedDisplay(); }
}
