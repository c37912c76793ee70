// Runs the viewer binary as a user would start it, and watches what comes of it: the window
// opening on a display, or the program ending by itself.
#pragma once

#include <string>
#include <vector>

#include "x_session.h"

struct ViewerOutcome {
  bool window_opened = false;  // a window titled "Car" appeared on the watched display
  Geometry place;              // where it appeared
  int wait_status = 0;         // as waitpid reports it
  std::string error_output;    // everything the program wrote to stderr
};

// Starts `binary` with `args`, after applying `env` ("NAME=value" sets, "NAME" unsets). Watches
// `display` (none if empty) until the program ends or its window appears there; a window is
// closed as a window manager's close button does, and the program then waits for its end.
// Throws if the program neither ends nor opens its window within a minute.
ViewerOutcome RunViewer(const std::string& binary, const std::vector<std::string>& args,
                        const std::vector<std::string>& env, const std::string& display);
