// Captures the triangles the browser build draws for one frame in the drawing guide's pose, for
// the redraw floor (bench/redraw_floor.html): the program's own Display, fed by its own input
// handlers, through the web layer's polygons and torus, into GL calls that record instead of
// drawing. Built with the page and run under node at build time.
// Usage: car_triangles DIR   writes DIR/vertices.bin (each distinct vertex: x, y, z in eye
// coordinates and r, g, b, as little-endian floats), DIR/indices.bin (three 16-bit indices a
// triangle, in the order drawn) and DIR/pose.json (the scene, as page.js stores it).
#include <GL/glut.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "render/display.h"
#include "scene/controls.h"

// The build force-includes the web layer's redirection; here are the calls it redirects to.
#undef glBegin
#undef glVertex3f
#undef glEnd

extern "C" {
double* SceneStateNumbers();
void StoreSceneState();
}

namespace {

// Column-major, as GL keeps its matrices.
struct Matrix {
  double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

Matrix Multiply(const Matrix& a, const Matrix& b) {
  Matrix product;
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += a.m[k * 4 + row] * b.m[column * 4 + k];
      product.m[column * 4 + row] = sum;
    }
  }
  return product;
}

std::vector<Matrix> modelview(1);
bool modelview_current = true;
GLfloat colour[3] = {1, 1, 1};
std::vector<GLfloat> captured;  // x, y, z, r, g, b per vertex, three vertices a triangle

GLenum mode = 0;
std::vector<GLfloat> polygon;  // the vertices since glBegin
const GLfloat* vertex_array = nullptr;

void Apply(const Matrix& m) {
  if (modelview_current) modelview.back() = Multiply(modelview.back(), m);
}

void Capture(const GLfloat* v) {
  const double* m = modelview.back().m;
  for (int row = 0; row < 3; ++row) {
    captured.push_back(static_cast<GLfloat>(m[row] * v[0] + m[4 + row] * v[1] + m[8 + row] * v[2] + m[12 + row]));
  }
  captured.insert(captured.end(), colour, colour + 3);
}

bool Write(const char* path, const void* data, std::size_t size) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  const bool written = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

}  // namespace

extern "C" {

void glBegin(GLenum m) {
  mode = m;
  polygon.clear();
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { polygon.insert(polygon.end(), {x, y, z}); }
// The web layer draws every polygon as a fan; nothing else reaches glBegin.
void glEnd() {
  if (mode != GL_TRIANGLE_FAN) std::abort();
  for (std::size_t i = 2; i < polygon.size() / 3; ++i) {
    Capture(&polygon[0]);
    Capture(&polygon[3 * (i - 1)]);
    Capture(&polygon[3 * i]);
  }
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
  colour[0] = r;
  colour[1] = g;
  colour[2] = b;
}
void glEnableClientState(GLenum) {}
void glDisableClientState(GLenum) {}
void glVertexPointer(GLint, GLenum, GLsizei, const void* pointer) {
  vertex_array = static_cast<const GLfloat*>(pointer);
}
void glDrawElements(GLenum, GLsizei count, GLenum, const void* indices) {
  const auto* index = static_cast<const GLushort*>(indices);
  for (GLsizei i = 0; i < count; ++i) Capture(vertex_array + 3 * index[i]);
}
void glMatrixMode(GLenum m) { modelview_current = m == GL_MODELVIEW; }
void glLoadIdentity() {
  if (modelview_current) modelview.back() = Matrix();
}
void glPushMatrix() { modelview.push_back(modelview.back()); }
void glPopMatrix() { modelview.pop_back(); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  Matrix t;
  t.m[12] = x;
  t.m[13] = y;
  t.m[14] = z;
  Apply(t);
}
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  const double length = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
  const double a = x / length;
  const double b = y / length;
  const double c = z / length;
  const double radians = angle * 3.141592653589793 / 180;
  const double s = std::sin(radians);
  const double k = 1 - std::cos(radians);
  Matrix r;
  const double rotation[9] = {1 - k * (b * b + c * c), k * a * b + s * c, k * a * c - s * b,
                              k * a * b - s * c, 1 - k * (a * a + c * c), k * b * c + s * a,
                              k * a * c + s * b, k * b * c - s * a, 1 - k * (a * a + b * b)};
  for (int column = 0; column < 3; ++column) {
    for (int row = 0; row < 3; ++row) r.m[column * 4 + row] = rotation[column * 3 + row];
  }
  Apply(r);
}
void glClearColor(GLclampf, GLclampf, GLclampf, GLclampf) {}
void glClear(GLbitfield) {}
void glutSwapBuffers() {}
void glutPostRedisplay() {}
}

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: car_triangles DIR\n");
    return 2;
  }
  // The guide's pose: a drag 60 pixels left and 10 down, Left x180, Up x4, Left x60.
  Mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 400, 300);
  MotionMouse(340, 310);
  Mouse(GLUT_LEFT_BUTTON, GLUT_UP, 340, 310);
  for (int i = 0; i < 180; ++i) Special(GLUT_KEY_LEFT, 0, 0);
  for (int i = 0; i < 4; ++i) Special(GLUT_KEY_UP, 0, 0);
  for (int i = 0; i < 60; ++i) Special(GLUT_KEY_LEFT, 0, 0);
  Display();

  StoreSceneState();
  const double* scene = SceneStateNumbers();
  std::string pose = "[";
  for (int i = 0; i < 11; ++i) {
    char number[32];
    std::snprintf(number, sizeof number, "%s%.17g", i ? "," : "", scene[i]);
    pose += number;
  }
  pose += "]\n";
  // Indexed, as a plain WebGL page would draw them: each distinct vertex once.
  std::map<std::vector<GLfloat>, GLushort> index_of;
  std::vector<GLfloat> vertices;
  std::vector<GLushort> indices;
  for (std::size_t i = 0; i < captured.size(); i += 6) {
    const std::vector<GLfloat> vertex(captured.begin() + i, captured.begin() + i + 6);
    const auto [at, added] = index_of.emplace(vertex, static_cast<GLushort>(index_of.size()));
    if (added) vertices.insert(vertices.end(), vertex.begin(), vertex.end());
    indices.push_back(at->second);
  }
  const std::string dir = argv[1];
  if (!Write((dir + "/vertices.bin").c_str(), vertices.data(), vertices.size() * sizeof(GLfloat)) ||
      !Write((dir + "/indices.bin").c_str(), indices.data(), indices.size() * sizeof(GLushort)) ||
      !Write((dir + "/pose.json").c_str(), pose.data(), pose.size())) {
    std::perror(argv[1]);
    return 1;
  }
  std::printf("%zu triangles, %zu vertices\n", indices.size() / 3, vertices.size() / 6);
  return 0;
}
