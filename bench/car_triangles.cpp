// Captures the triangles the program draws for one frame in the drawing guide's pose, for the
// redraw floor (bench/redraw_floor.html): the program's own Display, fed by its own input
// handlers, into GL calls that record instead of drawing; each polygon as the fan the browser
// build draws, the torus as its mesh, the matrices as the browser build keeps them. Built with
// the page and run under node at build time.
// Usage: car_triangles DIR   writes DIR/vertices.bin (each distinct vertex: x, y, z in eye
// coordinates and r, g, b, as little-endian floats), DIR/indices.bin (three 16-bit indices a
// triangle, in the order drawn) and DIR/pose.json (the scene, as page.js stores it).
#include <GL/glut.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "matrix_stack.h"
#include "polygon_fan.h"
#include "render/display.h"
#include "scene/controls.h"
#include "torus_mesh.h"

extern "C" {
double* SceneStateNumbers();
void StoreSceneState();
}

namespace {

GLfloat colour[3] = {1, 1, 1};
std::vector<GLfloat> captured;  // x, y, z, r, g, b per vertex, three vertices a triangle

GLenum mode = 0;
std::vector<GLfloat> polygon;  // the vertices since glBegin

void Capture(const GLfloat* v) {
  const Matrix& m = Modelview();
  for (int row = 0; row < 3; ++row) {
    captured.push_back(static_cast<GLfloat>(double(m[row]) * v[0] + double(m[4 + row]) * v[1] +
                                            double(m[8 + row]) * v[2] + m[12 + row]));
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
// The program draws only polygons; the browser build draws each as a fan.
void glEnd() {
  if (mode != GL_POLYGON) std::abort();
  for (const unsigned short i : FanTriangles(static_cast<unsigned short>(polygon.size() / 3)))
    Capture(&polygon[3 * i]);
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
  colour[0] = r;
  colour[1] = g;
  colour[2] = b;
}
void glutSolidTorus(GLdouble innerRadius, GLdouble outerRadius, GLint sides, GLint rings) {
  static const TorusMesh mesh = MakeTorusMesh(innerRadius, outerRadius, sides, rings);
  for (const unsigned short i : mesh.triangles) Capture(&mesh.vertices[3 * i]);
}
void glMatrixMode(GLenum m) { WebMatrixMode(m); }
void glLoadIdentity() { WebLoadIdentity(); }
void glPushMatrix() { WebPushMatrix(); }
void glPopMatrix() { WebPopMatrix(); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { WebTranslatef(x, y, z); }
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) { WebRotatef(angle, x, y, z); }
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
