#include "picture_checks.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::string Show(const Rgb& c) {
  return "(" + std::to_string(c[0]) + ", " + std::to_string(c[1]) + ", " + std::to_string(c[2]) +
         ")";
}

}  // namespace

bool Near(const Rgb& a, const Rgb& b) {
  for (int i = 0; i < 3; ++i)
    if (std::abs(a[i] - b[i]) > 1) return false;
  return true;
}

void ExpectPicture(const Picture& picture, const Expected& expected) {
  ASSERT_EQ(picture.width, 800);
  ASSERT_EQ(picture.height, 600);
  for (const Probe& probe : expected.probes) {
    const Rgb seen = picture.At(probe.x, probe.y);
    EXPECT_TRUE(Near(seen, probe.colour))
        << probe.what << " at (" << probe.x << ", " << probe.y << "): saw " << Show(seen)
        << ", want " << Show(probe.colour);
  }
  if (const std::optional<Span>& body = expected.body) {
    int first = -1, last = -1;
    for (int x = 0; x < picture.width; ++x) {
      if (!Near(picture.At(x, body->row), kBody)) continue;
      if (first < 0) first = x;
      last = x;
    }
    EXPECT_NEAR((first + last + 1) / 2.0, body->centre, 1.0)
        << "body from " << first << " to " << last;
    EXPECT_NEAR(last - first + 1, body->width, 2) << "body from " << first << " to " << last;
  }
}
