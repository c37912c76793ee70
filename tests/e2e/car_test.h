// Fixture for end-to-end tests: the real viewer on a private Xvfb, its window placed at the
// screen's corner and given keyboard focus, as a window manager would, and its first frame
// drawn before the test begins.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "car_process.h"
#include "picture_measures.h"
#include "x_session.h"
#include "xvfb_server.h"

class CarTest : public testing::Test {
 protected:
  CarTest();
  void SetUp() override;
  // Unless the test closed it, the program must have survived everything the test did.
  void TearDown() override;

  // Grabs the window until two grabs in a row are equal and `wanted` holds for them, until the
  // window is gone (an empty picture) or until 10 s have passed; returns the last grab either
  // way, for the test to judge.
  Picture Await(const std::function<bool(const Picture&)>& wanted);
  // The next settled picture that differs from `before`.
  Picture AwaitChange(const Picture& before);
  // Waits for the window to show exactly `expected`; returns what it shows.
  Picture AwaitSame(const Picture& expected);

  // A drag with one button from (x, y) by (dx, dy) in window pixels, in one motion event.
  void Drag(int button, int x, int y, int dx, int dy);

  // Key auto-repeat is put off so that no slow key press of a test repeats.
  XvfbServer xvfb_{{"-ardelay", "60000"}};
  XSession x_{xvfb_.display()};
  CarProcess car_{CAR_BINARY, xvfb_.display()};
  WindowId window_ = 0;
  Picture first_frame_;
  bool closed_ = false;  // set by tests that end the program
};
