// A GL or GLUT call written as text, e.g. "glVertex3f(-2, 0, -0.75)": the tests' recording
// layer and the browser lab's panel both write a frame's calls this way, so their lists compare
// line for line.
#pragma once

#include <GL/gl.h>

#include <charconv>
#include <string>

namespace call_text {

// The shortest text that reads back as the same value, so the numbers read as decimals.
template <typename Number>
std::string Text(Number value) {
  char text[64];
  const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
  return std::string(text, end.ptr);
}

inline std::string Text(GLenum value) {
  switch (value) {
    case GL_POLYGON:
      return "GL_POLYGON";
    case GL_PROJECTION:
      return "GL_PROJECTION";
    case GL_MODELVIEW:
      return "GL_MODELVIEW";
    case GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT:
      return "GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT";
    default:
      return std::to_string(value);
  }
}

template <typename... Args>
std::string Call(const char* name, Args... args) {
  std::string call = std::string(name) + "(";
  [[maybe_unused]] const char* separator = "";
  ((call += separator + Text(args), separator = ", "), ...);
  return call + ")";
}

}  // namespace call_text
