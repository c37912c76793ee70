#include "immediate_mode.h"

#include <array>
#include <map>
#include <vector>

#include "frame_batch.h"
#include "polygon_fan.h"

namespace {

float colour[3] = {1, 1, 1};
std::vector<float> polygon;  // the vertices since glBegin
// Every polygon the program has drawn, by its vertices: the same ten faces and four hub bars,
// frame after frame.
std::map<std::vector<float>, int> kept;
std::array<GLclampf, 4> clear_colour = {0, 0, 0, 0};  // GL's own at the start

}  // namespace

// The program draws only GL_POLYGON, each convex: a fan over the same vertices covers the same
// pixels.
void WebBegin(GLenum) { polygon.clear(); }

void WebVertex3f(GLfloat x, GLfloat y, GLfloat z) { polygon.insert(polygon.end(), {x, y, z}); }

void WebEnd() {
  const auto count = static_cast<unsigned short>(polygon.size() / 3);
  if (count < 3) return;
  auto found = kept.find(polygon);
  if (found == kept.end())
    found = kept.emplace(polygon, KeepShape(polygon, FanTriangles(count))).first;
  DrawShape(found->second, colour);
}

void WebColor3f(GLfloat r, GLfloat g, GLfloat b) {
  colour[0] = r;
  colour[1] = g;
  colour[2] = b;
}

const float (&CurrentColour())[3] { return colour; }

void WebInitWindowSize(int, int) {}

void WebClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  if (clear_colour == std::array<GLclampf, 4>{r, g, b, a}) return;
  clear_colour = {r, g, b, a};
  glClearColor(r, g, b, a);
}

void WebClear(GLbitfield mask) {
  FlushFrame();
  glClear(mask);
}

void WebSwapBuffers() {
  FlushFrame();
  glutSwapBuffers();
}
