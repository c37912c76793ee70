// A convex polygon as the triangles of a fan from its first vertex: the same pixels as
// GL_POLYGON. The browser build draws every polygon so, and the redraw floor captures them so.
#pragma once

#include <vector>

inline std::vector<unsigned short> FanTriangles(unsigned short count) {
  std::vector<unsigned short> fan;
  for (unsigned short i = 2; i < count; ++i)
    fan.insert(fan.end(), {0, static_cast<unsigned short>(i - 1), i});
  return fan;
}
