#include "viewer_run.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "car_process.h"
#include "x_session.h"

ViewerOutcome RunViewer(const std::string& binary, const std::vector<std::string>& args,
                        const std::vector<std::string>& env, const std::string& display) {
  // The watched display shows nothing but the viewer's window, so any window there is its.
  const auto x = display.empty() ? nullptr : std::make_unique<XSession>(display);

  char error_file[] = "/tmp/car-startup-XXXXXX";
  close(mkstemp(error_file));
  ViewerOutcome outcome;
  {
    CarProcess viewer(binary, args, env, error_file);
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (viewer.Running()) {
      if (x && !outcome.window_opened) {
        const WindowId window = x->AwaitMappedWindow(0);
        if (window != 0 && x->Title(window) == "Car") {
          outcome.window_opened = true;
          outcome.place = x->GeometryOf(window);
          x->RequestClose(window);
        }
      }
      if (std::chrono::steady_clock::now() > give_up) {
        std::remove(error_file);
        throw std::runtime_error("the viewer neither ended nor opened its window");
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    outcome.wait_status = viewer.WaitStatus();
  }
  // The server destroys the window once it sees the connection go; wait for that, so that the
  // next run finds only its own window.
  while (x && x->AwaitMappedWindow(0) != 0)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));

  std::ostringstream text;
  text << std::ifstream(error_file).rdbuf();
  outcome.error_output = text.str();
  std::remove(error_file);
  return outcome;
}
