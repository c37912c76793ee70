// Emscripten's GLUT has no shapes; the wheels need this one.
#include <GL/glut.h>

#include <cmath>

// A tube of radius innerRadius swept around the z axis at radius outerRadius: `sides` steps
// around the tube, starting at its outermost line, and `rings` steps around the axis, each
// ring a triangle strip. Normals are left out: the program draws without lighting.
//
// The rings go to the emulation as one strip, each joined to the next by repeating the last
// vertex of one and the first of the other. The four triangles of each join have no area and
// draw nothing, and a ring has an even number of vertices, so every ring's triangles keep their
// vertex order: the same pixels as a strip per ring, in one draw call instead of `rings`.
void glutSolidTorus(GLdouble innerRadius, GLdouble outerRadius, GLint sides, GLint rings) {
  const double kTwoPi = 6.283185307179586;
  const auto vertex = [=](int ring, int side) {
    const double phi = kTwoPi * side / sides;
    const double distance = outerRadius + innerRadius * std::cos(phi);
    const double theta = kTwoPi * ring / rings;
    glVertex3f(static_cast<GLfloat>(distance * std::cos(theta)),
               static_cast<GLfloat>(distance * std::sin(theta)),
               static_cast<GLfloat>(innerRadius * std::sin(phi)));
  };
  glBegin(GL_TRIANGLE_STRIP);
  for (int ring = 0; ring < rings; ++ring) {
    if (ring > 0) {
      vertex(ring, sides);  // the last vertex of the ring before
      vertex(ring, 0);      // the first of this one
    }
    for (int side = 0; side <= sides; ++side) {
      vertex(ring, side);
      vertex(ring + 1, side);
    }
  }
  glEnd();
}
