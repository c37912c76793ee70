#include "frame_batch.h"

#include <GLES2/gl2.h>

#include <array>
#include <cstring>

#include "matrix_stack.h"

namespace {

struct Shape {
  std::vector<float> vertices;
  std::vector<unsigned short> triangles;
};

struct Draw {
  int shape;
  std::array<float, 3> colour;
  int matrix;  // index into the frame's matrices
  bool operator==(const Draw& other) const {
    return shape == other.shape && colour == other.colour && matrix == other.matrix;
  }
};

// As many modelview matrices as one draw call takes; a frame with more goes in several.
constexpr int kMatrices = 16;

std::vector<Shape> shapes;
std::vector<Draw> draws;       // this frame's, so far
std::vector<float> matrices;   // this frame's, 16 floats each
std::vector<Draw> in_buffers;  // the draws whose vertices the buffers hold
GLsizei indices_in_buffers = 0;

GLuint program = 0;
GLint projection_at = -1;
Matrix projection_uploaded = {};  // the projection changes only with the window's shape
GLint modelviews_at = -1;
std::vector<float> modelviews_uploaded;  // a frame drawn again has the same ones

const char* const kVertexShader = R"(
uniform mat4 projection;
uniform mat4 modelview[16];
attribute vec3 position;
attribute vec3 colour;
attribute float matrix;
varying vec3 v_colour;
void main() {
  v_colour = colour;
  gl_Position = projection * (modelview[int(matrix)] * vec4(position, 1.0));
}
)";
const char* const kFragmentShader = R"(
precision mediump float;
varying vec3 v_colour;
void main() { gl_FragColor = vec4(v_colour, 1.0); }
)";

GLuint Compile(GLenum type, const char* source) {
  const GLuint shader = glCreateShader(type);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  return shader;
}

void MakeProgram() {
  program = glCreateProgram();
  glAttachShader(program, Compile(GL_VERTEX_SHADER, kVertexShader));
  glAttachShader(program, Compile(GL_FRAGMENT_SHADER, kFragmentShader));
  glBindAttribLocation(program, 0, "position");
  glBindAttribLocation(program, 1, "colour");
  glBindAttribLocation(program, 2, "matrix");
  glLinkProgram(program);
  glUseProgram(program);
  projection_at = glGetUniformLocation(program, "projection");
  modelviews_at = glGetUniformLocation(program, "modelview");
  GLuint buffers[2];
  glGenBuffers(2, buffers);
  glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[1]);
  const GLsizei stride = 7 * sizeof(float);
  for (GLuint i = 0; i < 3; ++i) glEnableVertexAttribArray(i);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
  glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<void*>(3 * sizeof(float)));
  glVertexAttribPointer(2, 1, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<void*>(6 * sizeof(float)));
}

// The vertices of the frame's draws, one after the other, each with its colour and matrix.
void FillBuffers() {
  std::vector<float> vertices;
  std::vector<unsigned short> indices;
  for (const Draw& draw : draws) {
    const Shape& shape = shapes[draw.shape];
    const auto first = static_cast<unsigned short>(vertices.size() / 7);
    for (std::size_t v = 0; v < shape.vertices.size(); v += 3) {
      vertices.insert(vertices.end(), shape.vertices.begin() + v, shape.vertices.begin() + v + 3);
      vertices.insert(vertices.end(), draw.colour.begin(), draw.colour.end());
      vertices.push_back(static_cast<float>(draw.matrix));
    }
    for (const unsigned short i : shape.triangles)
      indices.push_back(static_cast<unsigned short>(first + i));
  }
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)),
               vertices.data(), GL_STATIC_DRAW);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER,
               static_cast<GLsizeiptr>(indices.size() * sizeof(unsigned short)), indices.data(),
               GL_STATIC_DRAW);
  in_buffers = draws;
  indices_in_buffers = static_cast<GLsizei>(indices.size());
}

}  // namespace

int KeepShape(std::vector<float> vertices, std::vector<unsigned short> triangles) {
  shapes.push_back({std::move(vertices), std::move(triangles)});
  return static_cast<int>(shapes.size()) - 1;
}

void DrawShape(int shape, const float (&colour)[3]) {
  const Matrix& modelview = Modelview();
  const bool same_matrix =
      !matrices.empty() &&
      std::memcmp(&matrices[matrices.size() - 16], modelview.data(), sizeof modelview) == 0;
  if (!same_matrix) {
    if (matrices.size() == 16 * kMatrices) FlushFrame();
    matrices.insert(matrices.end(), modelview.begin(), modelview.end());
  }
  draws.push_back(
      {shape, {colour[0], colour[1], colour[2]}, static_cast<int>(matrices.size() / 16) - 1});
}

void FlushFrame() {
  if (draws.empty()) return;
  if (!program) MakeProgram();
  if (draws != in_buffers) FillBuffers();
  if (Projection() != projection_uploaded) {
    projection_uploaded = Projection();
    glUniformMatrix4fv(projection_at, 1, GL_FALSE, projection_uploaded.data());
  }
  if (matrices != modelviews_uploaded) {
    modelviews_uploaded = matrices;
    glUniformMatrix4fv(modelviews_at, static_cast<GLsizei>(matrices.size() / 16), GL_FALSE,
                       matrices.data());
  }
  glDrawElements(GL_TRIANGLES, indices_in_buffers, GL_UNSIGNED_SHORT, nullptr);
  draws.clear();
  matrices.clear();
}
