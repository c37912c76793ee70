#include "x_session.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace {

// Xlib's default handler ends the process on any error; a window that has just gone away is
// an expected outcome here, seen by the calls as an empty result instead.
int IgnoreError(Display* /*display*/, XErrorEvent* /*error*/) { return 0; }

}  // namespace

XSession::XSession(const std::string& display) : display_(XOpenDisplay(display.c_str())) {
  if (display_ == nullptr) throw std::runtime_error("cannot open display " + display);
  int event_base = 0;
  int error_base = 0;
  int major = 0;
  int minor = 0;
  if (!XTestQueryExtension(display_, &event_base, &error_base, &major, &minor))
    throw std::runtime_error("the X server lacks the XTEST extension");
  XSetErrorHandler(IgnoreError);
}

XSession::~XSession() { XCloseDisplay(display_); }

void XSession::Sync() { XSync(display_, False); }

WindowId XSession::AwaitMappedWindow(double seconds, const std::string& title) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  do {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    WindowId found = 0;
    if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
      for (unsigned i = 0; i < count && found == 0; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display_, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable && (title.empty() || Title(children[i]) == title))
          found = children[i];
      }
      XFree(children);
    }
    if (found != 0) return found;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  } while (std::chrono::steady_clock::now() < deadline);
  return 0;
}

std::string XSession::Title(WindowId window) {
  char* name = nullptr;
  std::string title;
  if (XFetchName(display_, window, &name) && name != nullptr) title = name;
  XFree(name);
  return title;
}

Geometry XSession::GeometryOf(WindowId window) {
  XWindowAttributes attributes;
  int x = 0;
  int y = 0;
  Window child = 0;
  if (!XGetWindowAttributes(display_, window, &attributes) ||
      !XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child))
    return {};
  return {x, y, attributes.width, attributes.height};
}

void XSession::Focus(WindowId window) {
  XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
  Sync();
}

void XSession::Move(WindowId window, int x, int y) {
  XMoveWindow(display_, window, x, y);
  Sync();
}

void XSession::Resize(WindowId window, int width, int height) {
  XResizeWindow(display_, window, width, height);
  Sync();
}

void XSession::Unmap(WindowId window) {
  XUnmapWindow(display_, window);
  Sync();
}

void XSession::Map(WindowId window) {
  XMapWindow(display_, window);
  Sync();
}

void XSession::RequestClose(WindowId window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, window, False, NoEventMask, &event);
  Sync();
}

void XSession::TapKey(const std::string& keysym_name, int times) {
  const KeySym keysym = XStringToKeysym(keysym_name.c_str());
  const KeyCode keycode = XKeysymToKeycode(display_, keysym);
  if (keysym == NoSymbol || keycode == 0)
    throw std::invalid_argument("no key for keysym " + keysym_name);
  for (int i = 0; i < times; ++i) {
    XTestFakeKeyEvent(display_, keycode, True, 0);
    XTestFakeKeyEvent(display_, keycode, False, 0);
  }
  Sync();
}

void XSession::MovePointer(int x, int y) {
  XTestFakeMotionEvent(display_, -1, x, y, 0);  // -1: the screen the pointer is on
  Sync();
}

void XSession::PressButton(int button) {
  XTestFakeButtonEvent(display_, button, True, 0);
  Sync();
}

void XSession::ReleaseButton(int button) {
  XTestFakeButtonEvent(display_, button, False, 0);
  Sync();
}

Picture XSession::Grab(WindowId window) {
  // Read from the root window: the screen holds what the program last put there.
  const Geometry area = GeometryOf(window);
  Picture picture;
  if (area.width == 0) return picture;
  XImage* image = XGetImage(display_, DefaultRootWindow(display_), area.x, area.y, area.width,
                            area.height, AllPlanes, ZPixmap);
  if (image == nullptr) return picture;
  picture.width = area.width;
  picture.height = area.height;
  picture.rgb.reserve(3 * static_cast<std::size_t>(area.width) * area.height);
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x) {
      // The server runs a 24-bit TrueColor screen: 8 bits a channel, red highest.
      const unsigned long pixel = XGetPixel(image, x, y);
      picture.rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
      picture.rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
      picture.rgb.push_back(static_cast<std::uint8_t>(pixel));
    }
  }
  XDestroyImage(image);
  return picture;
}
