// Entry point for tests that render: a private Xvfb, one real window, then the tests.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "car_window.h"
#include "xvfb_server.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  XvfbServer xvfb;
  setenv("DISPLAY", xvfb.display().c_str(), 1);
  OpenCarWindow();
  const int result = RUN_ALL_TESTS();
  glutExit();  // let go of the display before the server goes
  return result;
}
