// A real GLUT window set up as the viewer sets up its own, for tests that render.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

using Rgb = std::array<int, 3>;

// What the window shows, row 0 at the top as on screen.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
  Rgb At(int x, int y) const;
};

// Opens the 800 x 600 "Car" window with the viewer's pixel format and one-time GL state.
// Call once per process, with DISPLAY pointing at a running X server.
void OpenCarWindow();

// Draws one frame with Display and reads back what it put on screen.
Picture DrawFrame();
