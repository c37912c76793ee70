#include "picture_checks.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "picture_measures.h"

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
    const Extent seen = Measure(picture, Row(body->row, kBody));
    EXPECT_NEAR((seen.first + seen.last + 1) / 2.0, body->centre, 1.0) << "body at " << seen;
    EXPECT_NEAR(seen.last - seen.first + 1, body->width, 2) << "body at " << seen;
  }
}
