// Emscripten's GLUT has no shapes; the wheels need this one.
#include <GL/glut.h>

#include "frame_batch.h"
#include "immediate_mode.h"
#include "torus_mesh.h"

namespace {

// The torus last asked for, kept in GL buffers: every wheel of every frame is the same one.
struct Kept {
  GLdouble inner_radius = 0.0;
  GLdouble outer_radius = 0.0;
  GLint sides = 0;
  GLint rings = 0;
  int shape = -1;
} kept;

}  // namespace

void glutSolidTorus(GLdouble innerRadius, GLdouble outerRadius, GLint sides, GLint rings) {
  if (kept.shape < 0 || innerRadius != kept.inner_radius || outerRadius != kept.outer_radius ||
      sides != kept.sides || rings != kept.rings) {
    TorusMesh mesh = MakeTorusMesh(innerRadius, outerRadius, sides, rings);
    kept = {innerRadius, outerRadius, sides, rings,
            KeepShape(std::move(mesh.vertices), std::move(mesh.triangles))};
  }
  DrawShape(kept.shape, CurrentColour());
}
