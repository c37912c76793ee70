// A client of the X server that plays the user's keyboard and mouse, through XTest, and the
// window manager's part that Xvfb lacks: focusing, moving, resizing and closing a window.
#pragma once

#include <string>

#include "picture.h"

// Xlib's own handle types stay in the source file: its macros (None, Bool, Status) clash with
// test code. An X window id is an unsigned long.
using WindowId = unsigned long;

struct Geometry {
  int x = 0;  // position of the client area on the root window
  int y = 0;
  int width = 0;
  int height = 0;
};

class XSession {
 public:
  explicit XSession(const std::string& display);
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  // The first top-level window to be mapped, or the first titled `title` where other clients
  // map windows too (Wine maps helper windows before the program's), waiting up to `seconds`
  // for it; 0 if none is.
  WindowId AwaitMappedWindow(double seconds, const std::string& title = "");
  std::string Title(WindowId window);
  // All zero once the window is gone.
  Geometry GeometryOf(WindowId window);

  void Focus(WindowId window);
  void Move(WindowId window, int x, int y);
  void Resize(WindowId window, int width, int height);
  // Hides the window and shows it again, as minimising and restoring it do. Hiding it ends a
  // button grab it holds, so a release that follows goes elsewhere.
  void Unmap(WindowId window);
  void Map(WindowId window);
  // Asks the window to close as a window manager's close button does: a WM_DELETE_WINDOW
  // client message of the WM_PROTOCOLS kind.
  void RequestClose(WindowId window);

  // Presses and releases the key named by its X keysym name ("Up", "F1", "a", "Shift_L"),
  // `times` times in a row with no pause, then waits until the server has taken them all.
  void TapKey(const std::string& keysym_name, int times = 1);
  // Pointer position in root window coordinates.
  void MovePointer(int x, int y);
  void PressButton(int button);
  void ReleaseButton(int button);

  // What the window shows now, read from the screen; empty once the window is gone.
  Picture Grab(WindowId window);

 private:
  void Sync();

  struct _XDisplay* display_;  // NOLINT(bugprone-reserved-identifier): Xlib's name for Display
};
