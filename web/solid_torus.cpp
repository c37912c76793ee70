// Emscripten's GLUT has no shapes; the wheels need this one.
#include <GL/glut.h>

#include <cmath>

// A tube of radius innerRadius swept around the z axis at radius outerRadius: `sides` steps
// around the tube, starting at its outermost line, and `rings` steps around the axis, each
// ring one triangle strip. Normals are left out: the program draws without lighting.
void glutSolidTorus(GLdouble innerRadius, GLdouble outerRadius, GLint sides, GLint rings) {
  const double kTwoPi = 6.283185307179586;
  for (int ring = 0; ring < rings; ++ring) {
    glBegin(GL_TRIANGLE_STRIP);
    for (int side = 0; side <= sides; ++side) {
      const double phi = kTwoPi * side / sides;
      const double distance = outerRadius + innerRadius * std::cos(phi);
      const double z = innerRadius * std::sin(phi);
      for (int next = 0; next <= 1; ++next) {
        const double theta = kTwoPi * (ring + next) / rings;
        glVertex3f(static_cast<GLfloat>(distance * std::cos(theta)),
                   static_cast<GLfloat>(distance * std::sin(theta)), static_cast<GLfloat>(z));
      }
    }
    glEnd();
  }
}
