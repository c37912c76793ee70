#include "picture_measures.h"

#include <algorithm>

bool operator==(const Extent& a, const Extent& b) { return a.first == b.first && a.last == b.last; }

std::ostream& operator<<(std::ostream& out, const Extent& extent) {
  return out << "[" << extent.first << ", " << extent.last << "]";
}

std::ostream& operator<<(std::ostream& out, const Line& line) {
  return out << (line.row ? "row " : "column ") << line.at << " in (" << line.colour[0] << ", "
             << line.colour[1] << ", " << line.colour[2] << ")";
}

Extent Measure(const Picture& picture, const Line& line, int from, int to) {
  Extent extent;
  const int length = line.row ? picture.width : picture.height;
  const int breadth = line.row ? picture.height : picture.width;
  if (line.at < 0 || line.at >= breadth) return extent;
  for (int i = std::max(from, 0); i <= std::min(to, length - 1); ++i) {
    const Rgb seen = line.row ? picture.At(i, line.at) : picture.At(line.at, i);
    if (!Near(seen, line.colour)) continue;
    if (extent.first < 0) extent.first = i;
    extent.last = i;
  }
  return extent;
}

long DifferingPixels(const Picture& a, const Picture& b) {
  return DifferingPixels(a, b, {0, 0, a.width - 1, a.height - 1});
}

long DifferingPixels(const Picture& a, const Picture& b, const Box& box) {
  if (a.width != b.width || a.height != b.height)
    return std::max(static_cast<long>(a.width) * a.height, static_cast<long>(b.width) * b.height);
  long count = 0;
  for (int y = std::max(box.top, 0); y <= std::min(box.bottom, a.height - 1); ++y)
    for (int x = std::max(box.left, 0); x <= std::min(box.right, a.width - 1); ++x)
      if (a.At(x, y) != b.At(x, y)) ++count;
  return count;
}

bool operator==(const Picture& a, const Picture& b) {
  return a.width == b.width && a.height == b.height && a.rgb == b.rgb;
}
