// Windows only: mingw-w64's cos is the x87 fcos instruction, whose argument reduction uses a
// 66-bit pi. Where the cosine is nearly zero, that leaves the result off glibc's correctly
// rounded one in the fifth digit, so the two rows of the driving table that end on such a
// residue cannot match glibc's floats exactly. Here they must come within 1e-4 of them, still
// far from what a wrong order of operations gives; the rest of each pose is exact.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>

#include "scene/controls.h"
#include "scene/scene_state.h"
#include "scene_reset.h"

namespace {

struct ResidueCase {
  int left_presses;  // then one Up
  float x_on_linux;
  float z, heading;
};

TEST(X87Cosine, ResiduesComeWithinTenThousandthOfLinux) {
  // A quarter turn, and 810 degrees, where dividing pi by 180 first would give -1.3777277e-16.
  const ResidueCase cases[] = {{180, -1.5308086e-17f, 0.25f, 90.0f},
                               {1620, -5.81862e-16f, 0.25f, 810.0f}};
  for (const ResidueCase& c : cases) {
    ResetSceneState();
    for (int i = 0; i < c.left_presses; ++i) Special(GLUT_KEY_LEFT, 0, 0);
    Special(GLUT_KEY_UP, 0, 0);
    EXPECT_NEAR(xTran, c.x_on_linux, 1e-4 * std::fabs(c.x_on_linux)) << c.heading << " degrees";
    EXPECT_EQ(zTran, c.z);
    EXPECT_EQ(car_Rot, c.heading);
    EXPECT_EQ(body_Rot, c.heading);
    EXPECT_EQ(tire_Rot, 20.0f);
  }
}

}  // namespace
