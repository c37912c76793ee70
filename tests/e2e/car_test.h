// Fixture for end-to-end tests: the real viewer on a private Xvfb, its window placed at the
// screen's corner and given keyboard focus, as a window manager would, and its first frame
// drawn before the test begins.
//
// Every check waits for the picture it expects, grabbing until two grabs in a row agree and
// show it, and fails with what the window shows if 10 s pass, the window goes, or the program
// ends; a working program passes as soon as it has drawn.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "car_process.h"
#include "picture_measures.h"
#include "x_session.h"
#include "xvfb_server.h"

class CarTest : public testing::Test {
 protected:
  void SetUp() override;
  // Unless the test closed it, the program must have survived everything the test did.
  void TearDown() override;

  // The last grab, once two in a row are equal and `wanted` holds for them, or once the window
  // is gone (an empty picture) or 10 s have passed.
  Picture Await(const std::function<bool(const Picture&)>& wanted);
  // The next settled picture that differs from `before`.
  Picture AwaitChange(const Picture& before);

  // The window comes to show `expected` along `line`.
  testing::AssertionResult Shows(const Line& line, const Extent& expected);
  // The window comes to show exactly `expected`.
  testing::AssertionResult ShowsExactly(const Picture& expected);

  // A drag with one button from (x, y) by (dx, dy) in window pixels, in one motion event.
  void Drag(int button, int x, int y, int dx, int dy);
  // Pointer position in window pixels.
  void MovePointer(int x, int y);

  // Key auto-repeat is put off so that no slow key press of a test repeats.
  XvfbServer xvfb_{{"-ardelay", "60000"}};
  XSession x_{xvfb_.display()};
  CarProcess car_{CAR_BINARY, {}, {"DISPLAY=" + xvfb_.display()}};
  WindowId window_ = 0;
  Picture first_frame_;
  bool closed_ = false;  // set by tests that end the program
};
