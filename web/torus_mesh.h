// The triangles of glutSolidTorus, made once and kept: the wheels' shape never changes.
#pragma once

#include <vector>

struct TorusMesh {
  std::vector<float> vertices;            // x, y, z per vertex
  std::vector<unsigned short> triangles;  // three indices a triangle
};

// A tube of radius innerRadius swept around the z axis at radius outerRadius: `sides` steps
// around the tube, starting at its outermost line, and `rings` steps around the axis, each
// ring the triangles of one strip, with its vertices in the order a strip gives them: the same
// pixels as a strip per ring. Normals are left out: the program draws without lighting.
TorusMesh MakeTorusMesh(double innerRadius, double outerRadius, int sides, int rings);
