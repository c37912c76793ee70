#include "torus_mesh.h"

#include <cmath>

TorusMesh MakeTorusMesh(double innerRadius, double outerRadius, int sides, int rings) {
  const double kTwoPi = 6.283185307179586;
  TorusMesh mesh;
  for (int ring = 0; ring < rings; ++ring) {
    const auto first = static_cast<unsigned short>(mesh.vertices.size() / 3);
    for (int side = 0; side <= sides; ++side) {
      const double phi = kTwoPi * side / sides;
      const double distance = outerRadius + innerRadius * std::cos(phi);
      for (int next = 0; next <= 1; ++next) {
        const double theta = kTwoPi * (ring + next) / rings;
        mesh.vertices.push_back(static_cast<float>(distance * std::cos(theta)));
        mesh.vertices.push_back(static_cast<float>(distance * std::sin(theta)));
        mesh.vertices.push_back(static_cast<float>(innerRadius * std::sin(phi)));
      }
    }
    for (int i = 0; i < 2 * sides; ++i) {
      const auto v = static_cast<unsigned short>(first + i);
      const bool odd = i % 2 != 0;
      mesh.triangles.insert(mesh.triangles.end(), {static_cast<unsigned short>(odd ? v + 1 : v),
                                                   static_cast<unsigned short>(odd ? v : v + 1),
                                                   static_cast<unsigned short>(v + 2)});
    }
  }
  return mesh;
}
