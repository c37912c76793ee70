#include "picture.h"

Rgb Picture::At(int x, int y) const {
  const std::size_t i = 3 * (static_cast<std::size_t>(y) * width + x);
  return {rgb[i], rgb[i + 1], rgb[i + 2]};
}
