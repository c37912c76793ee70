// Emscripten's GLUT has no shapes; the wheels need this one.
#include <GL/glut.h>

#include <cmath>
#include <vector>

namespace {

// A tube of radius innerRadius swept around the z axis at radius outerRadius: `sides` steps
// around the tube, starting at its outermost line, and `rings` steps around the axis, each
// ring a triangle strip. Normals are left out: the program draws without lighting.
//
// All the rings go to the emulation in one draw call, as the triangles their strips make, each
// with its vertices in the order a strip gives them: the same pixels as a strip per ring, which
// cost a draw call and an upload each. The vertices are made once, not on every frame.
struct Torus {
  GLdouble inner_radius = 0.0;
  GLdouble outer_radius = 0.0;
  GLint sides = 0;
  GLint rings = 0;
  std::vector<GLfloat> vertices;    // each ring's strip, one after the other
  std::vector<GLushort> triangles;  // 1,200 vertices for the wheels: 16-bit indices are plenty
};

// The torus last asked for: every wheel of every frame is the same one.
Torus kept;

void MakeTorus(GLdouble innerRadius, GLdouble outerRadius, GLint sides, GLint rings) {
  const double kTwoPi = 6.283185307179586;
  kept = {innerRadius, outerRadius, sides, rings, {}, {}};
  for (int ring = 0; ring < rings; ++ring) {
    const auto first = static_cast<GLushort>(kept.vertices.size() / 3);
    for (int side = 0; side <= sides; ++side) {
      const double phi = kTwoPi * side / sides;
      const double distance = outerRadius + innerRadius * std::cos(phi);
      for (int next = 0; next <= 1; ++next) {
        const double theta = kTwoPi * (ring + next) / rings;
        kept.vertices.push_back(static_cast<GLfloat>(distance * std::cos(theta)));
        kept.vertices.push_back(static_cast<GLfloat>(distance * std::sin(theta)));
        kept.vertices.push_back(static_cast<GLfloat>(innerRadius * std::sin(phi)));
      }
    }
    for (int i = 0; i < 2 * sides; ++i) {
      const auto v = static_cast<GLushort>(first + i);
      const bool odd = i % 2 != 0;
      kept.triangles.insert(kept.triangles.end(),
                            {static_cast<GLushort>(odd ? v + 1 : v),
                             static_cast<GLushort>(odd ? v : v + 1), static_cast<GLushort>(v + 2)});
    }
  }
}

}  // namespace

void glutSolidTorus(GLdouble innerRadius, GLdouble outerRadius, GLint sides, GLint rings) {
  if (innerRadius != kept.inner_radius || outerRadius != kept.outer_radius || sides != kept.sides ||
      rings != kept.rings) {
    MakeTorus(innerRadius, outerRadius, sides, rings);
  }
  glEnableClientState(GL_VERTEX_ARRAY);
  // The emulation takes a stride of 0 for data to repack, one value at a time: give the real one.
  glVertexPointer(3, GL_FLOAT, 3 * sizeof(GLfloat), kept.vertices.data());
  glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(kept.triangles.size()), GL_UNSIGNED_SHORT,
                 kept.triangles.data());
  glDisableClientState(GL_VERTEX_ARRAY);
}
