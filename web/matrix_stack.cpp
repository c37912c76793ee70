#include "matrix_stack.h"

#include <cmath>
#include <vector>

namespace {

constexpr Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

std::vector<Matrix> modelview(1, kIdentity);
std::vector<Matrix> projection(1, kIdentity);
std::vector<Matrix>* current = &modelview;

// The current matrix times m, in doubles, kept as floats as GL keeps it.
void Apply(const double (&m)[16]) {
  Matrix& c = current->back();
  Matrix product;
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += double(c[k * 4 + row]) * m[column * 4 + k];
      product[column * 4 + row] = static_cast<float>(sum);
    }
  }
  c = product;
}

}  // namespace

void WebMatrixMode(GLenum mode) { current = mode == GL_PROJECTION ? &projection : &modelview; }

void WebLoadIdentity() { current->back() = kIdentity; }

void WebOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
  Apply({2 / (r - l), 0, 0, 0, 0, 2 / (t - b), 0, 0, 0, 0, -2 / (f - n), 0,  //
         -(r + l) / (r - l), -(t + b) / (t - b), -(f + n) / (f - n), 1});
}

void WebTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  Apply({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1});
}

void WebRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  const double length = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
  const double a = x / length;
  const double b = y / length;
  const double c = z / length;
  const double radians = angle * 3.141592653589793 / 180;
  const double s = std::sin(radians);
  const double k = 1 - std::cos(radians);
  Apply({1 - k * (b * b + c * c), k * a * b + s * c, k * a * c - s * b, 0,  //
         k * a * b - s * c, 1 - k * (a * a + c * c), k * b * c + s * a, 0,  //
         k * a * c + s * b, k * b * c - s * a, 1 - k * (a * a + b * b), 0,  //
         0, 0, 0, 1});
}

void WebScalef(GLfloat x, GLfloat y, GLfloat z) {
  Apply({x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1});
}

void WebPushMatrix() { current->push_back(current->back()); }

// The program pops only what it pushed; a stray pop keeps the last matrix, as GL would.
void WebPopMatrix() {
  if (current->size() > 1) current->pop_back();
}

const Matrix& Modelview() { return modelview.back(); }
const Matrix& Projection() { return projection.back(); }
