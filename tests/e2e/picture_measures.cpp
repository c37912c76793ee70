#include "picture_measures.h"

#include <algorithm>

bool operator==(const Extent& a, const Extent& b) { return a.first == b.first && a.last == b.last; }

std::ostream& operator<<(std::ostream& out, const Extent& extent) {
  return out << "[" << extent.first << ", " << extent.last << "]";
}

namespace {

void Extend(Extent& extent, int at) {
  if (extent.first < 0) extent.first = at;
  extent.last = at;
}

}  // namespace

Extent RowExtent(const Picture& picture, int row, const Rgb& colour) {
  Extent extent;
  if (row < 0 || row >= picture.height) return extent;
  for (int x = 0; x < picture.width; ++x)
    if (Near(picture.At(x, row), colour)) Extend(extent, x);
  return extent;
}

Extent ColumnExtent(const Picture& picture, int column, const Rgb& colour) {
  Extent extent;
  if (column < 0 || column >= picture.width) return extent;
  for (int y = 0; y < picture.height; ++y)
    if (Near(picture.At(column, y), colour)) Extend(extent, y);
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
