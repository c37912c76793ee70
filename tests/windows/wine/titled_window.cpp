#include "titled_window.h"

#include <X11/Xlib.h>

#include <chrono>
#include <thread>

namespace {

WindowId FindTitled(Display* display, const std::string& title) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  WindowId found = 0;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return 0;
  for (unsigned i = 0; i < count && found == 0; ++i) {
    XWindowAttributes attributes;
    char* name = nullptr;
    if (XGetWindowAttributes(display, children[i], &attributes) &&
        attributes.map_state == IsViewable && XFetchName(display, children[i], &name) &&
        name != nullptr) {
      if (title == name) found = children[i];
    }
    if (name != nullptr) XFree(name);
  }
  XFree(children);
  return found;
}

}  // namespace

WindowId AwaitWindowTitled(const std::string& display_name, const std::string& title,
                           double seconds) {
  Display* display = XOpenDisplay(display_name.c_str());
  if (display == nullptr) return 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  WindowId found = FindTitled(display, title);
  while (found == 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    found = FindTitled(display, title);
  }
  XCloseDisplay(display);
  return found;
}
