// Prints the GL calls of one frame, one a line, as the recording layer writes them down: the
// reshape callback for a window of the given size, then the display callback, after the given
// input has gone through the real handlers.
//   frame_calls WIDTH HEIGHT [drag DX DY] [left|right|up|down COUNT]...
#include <GL/glut.h>

#include <cstdio>
#include <string>

#include "app/window_size.h"
#include "gl_recorder.h"
#include "input.h"
#include "render/display.h"
#include "scene/controls.h"

namespace {

int ArrowKey(const std::string& name) {
  if (name == "left") return GLUT_KEY_LEFT;
  if (name == "right") return GLUT_KEY_RIGHT;
  if (name == "up") return GLUT_KEY_UP;
  return GLUT_KEY_DOWN;
}

// A drag with the first button, from the middle of the window, as the user makes it.
void Drag(int dx, int dy) {
  Mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 400, 300);
  MotionMouse(400 + dx, 300 + dy);
  Mouse(GLUT_LEFT_BUTTON, GLUT_UP, 400 + dx, 300 + dy);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: frame_calls WIDTH HEIGHT [drag DX DY] [left|right|up|down N]...\n");
    return 2;
  }
  for (const Input& step : ReadInput("frame_calls", argc - 3, argv + 3)) {
    if (step.drag) {
      Drag(step.dx, step.dy);
      continue;
    }
    for (int n = step.count; n > 0; --n) Special(ArrowKey(step.key), 0, 0);
  }

  ClearCalls();
  WindowSize(WholeNumber("frame_calls", argv[1]), WholeNumber("frame_calls", argv[2]));
  Display();
  for (const std::string& call : RecordedCalls()) std::puts(call.c_str());
  return 0;
}
