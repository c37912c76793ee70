#include <GL/gl.h>

#include "render/car_parts.h"

namespace {

struct Face {
  const float* colour;
  float vertex[4][3];
};

const float kBody[3] = {0.4f, 0.5f, 0.6f};
const float kCabin[3] = {0.7f, 0.8f, 0.9f};
const float kRoof[3] = {0.5f, 0.6f, 0.7f};

// The car frame: front at -x, y up, z across. Body x in [-2, 2], y in [-0.75, 0], z in
// [-0.75, 0.75]; the cabin stands on its top. Neither has a bottom face.
// clang-format off: one face a line, as the model reads.
const Face kFaces[] = {
    // body: front end, rear end, the two sides, top
    {kBody, {{-2, 0, -0.75f}, {-2, 0, 0.75f}, {-2, -0.75f, 0.75f}, {-2, -0.75f, -0.75f}}},
    {kBody, {{2, 0, -0.75f}, {2, 0, 0.75f}, {2, -0.75f, 0.75f}, {2, -0.75f, -0.75f}}},
    {kBody, {{-2, 0, 0.75f}, {2, 0, 0.75f}, {2, -0.75f, 0.75f}, {-2, -0.75f, 0.75f}}},
    {kBody, {{-2, 0, -0.75f}, {2, 0, -0.75f}, {2, -0.75f, -0.75f}, {-2, -0.75f, -0.75f}}},
    {kBody, {{-2, 0, 0.75f}, {-2, 0, -0.75f}, {2, 0, -0.75f}, {2, 0, 0.75f}}},
    // cabin: front slope, rear slope, the two sides, roof
    {kCabin, {{-0.5f, 0.5f, 0.75f}, {-1, 0, 0.75f}, {-1, 0, -0.75f}, {-0.5f, 0.5f, -0.75f}}},
    {kCabin, {{1, 0.5f, 0.75f}, {1, 0.5f, -0.75f}, {1.25f, 0, -0.75f}, {1.25f, 0, 0.75f}}},
    {kCabin, {{-1, 0, 0.75f}, {-0.5f, 0.5f, 0.75f}, {1, 0.5f, 0.75f}, {1.25f, 0, 0.75f}}},
    {kCabin, {{-1, 0, -0.75f}, {-0.5f, 0.5f, -0.75f}, {1, 0.5f, -0.75f}, {1.25f, 0, -0.75f}}},
    {kRoof, {{-0.5f, 0.5f, 0.75f}, {-0.5f, 0.5f, -0.75f}, {1, 0.5f, -0.75f}, {1, 0.5f, 0.75f}}},
};
// clang-format on

}  // namespace

void DrawCarBody() {
  for (const Face& face : kFaces) {
    glBegin(GL_POLYGON);
    // Each face carries its own colour, even where it repeats the last one.
    glColor3f(face.colour[0], face.colour[1], face.colour[2]);
    for (const auto& v : face.vertex) glVertex3f(v[0], v[1], v[2]);
    glEnd();
  }
}
