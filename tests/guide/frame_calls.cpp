// Prints the GL calls of one frame, one a line, as the recording layer writes them down: the
// reshape callback for a window of the given size, then the display callback, after the given
// input has gone through the real handlers.
//   frame_calls WIDTH HEIGHT [drag DX DY] [left|right|up|down COUNT]...
#include <cstdio>
#include <string>

#include "app/window_size.h"
#include "give_input.h"
#include "gl_recorder.h"
#include "render/display.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: frame_calls WIDTH HEIGHT [drag DX DY] [left|right|up|down N]...\n");
    return 2;
  }
  GiveInput(ReadInput("frame_calls", argc - 3, argv + 3));

  ClearCalls();
  WindowSize(WholeNumber("frame_calls", argv[1]), WholeNumber("frame_calls", argv[2]));
  Display();
  for (const std::string& call : RecordedCalls()) std::puts(call.c_str());
  return 0;
}
