// Prints the GL calls of one frame, one a line, as the recording layer writes them down: the
// reshape callback for a window of the given size, then the display callback, after the given
// input has gone through the real handlers.
//   frame_calls WIDTH HEIGHT [drag DX DY] [left|right|up|down COUNT]...
#include <GL/glut.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/window_size.h"
#include "gl_recorder.h"
#include "render/display.h"
#include "scene/controls.h"

namespace {

int Number(const char* text) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0') {
    std::fprintf(stderr, "frame_calls: not a whole number: %s\n", text);
    std::exit(2);
  }
  return static_cast<int>(value);
}

int ArrowKey(const char* name) {
  const struct {
    const char* name;
    int key;
  } kKeys[] = {{"left", GLUT_KEY_LEFT},
               {"right", GLUT_KEY_RIGHT},
               {"up", GLUT_KEY_UP},
               {"down", GLUT_KEY_DOWN}};
  for (const auto& key : kKeys)
    if (std::strcmp(key.name, name) == 0) return key.key;
  std::fprintf(stderr, "frame_calls: no such input: %s\n", name);
  std::exit(2);
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
  int i = 3;
  while (i < argc) {
    const bool drag = std::strcmp(argv[i], "drag") == 0;
    if (i + (drag ? 2 : 1) >= argc) {
      std::fprintf(stderr, "frame_calls: %s wants %s\n", argv[i], drag ? "DX DY" : "a count");
      return 2;
    }
    if (drag) {
      Drag(Number(argv[i + 1]), Number(argv[i + 2]));
      i += 3;
      continue;
    }
    const int key = ArrowKey(argv[i]);
    for (int n = Number(argv[i + 1]); n > 0; --n) Special(key, 0, 0);
    i += 2;
  }

  ClearCalls();
  WindowSize(Number(argv[1]), Number(argv[2]));
  Display();
  for (const std::string& call : RecordedCalls()) std::puts(call.c_str());
  return 0;
}
