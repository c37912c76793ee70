// The reshape handler, recorded in place of GL: the viewport follows the window, the
// projection is the same box at every size.
#include "app/window_size.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gl_recorder.h"

namespace {

TEST(WindowSize, SetsTheViewportAndTheSameBoxAtEverySize) {
  struct {
    int width, height;
    const char* viewport;
  } const cases[] = {
      {800, 600, "glViewport(0, 0, 800, 600)"}, {1600, 600, "glViewport(0, 0, 1600, 600)"},
      {800, 0, "glViewport(0, 0, 800, 1)"},  // a zero height is taken as 1
      {0, 600, "glViewport(0, 0, 0, 600)"},  // a zero width draws nothing, and fails nowhere
      {0, 0, "glViewport(0, 0, 0, 1)"},         {1, 1, "glViewport(0, 0, 1, 1)"},
  };
  for (const auto& c : cases) {
    ClearCalls();
    WindowSize(c.width, c.height);
    const std::vector<std::string> want = {
        c.viewport,
        "glMatrixMode(GL_PROJECTION)",
        "glLoadIdentity()",
        "glOrtho(-10, 10, -10, 10, -10, 30)",
        "glMatrixMode(GL_MODELVIEW)",  // left selected for the display callback
        "glLoadIdentity()",
    };
    EXPECT_EQ(RecordedCalls(), want) << c.width << " x " << c.height;
  }
}

}  // namespace
