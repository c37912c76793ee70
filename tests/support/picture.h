// A frame as the window shows it, read back from GL or grabbed from the X server.
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
