// A GL or GLUT call written as text, e.g. "glVertex3f(-2, 0, -0.75)": the tests' recording
// layer and the browser lab's panel both write a frame's calls this way, so their lists compare
// line for line.
#pragma once

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <type_traits>

namespace call_text {

// The shortest text that reads back as the same value, fixed or with an exponent, whichever is
// shorter, so the numbers read as decimals: what std::to_chars writes, which the browser
// build's library does not have for floating point.
template <typename Number>
std::string Text(Number value) {
  if constexpr (std::is_integral_v<Number>) {
    return std::to_string(value);
  } else {
    if (value == 0) return std::signbit(value) ? "-0" : "0";
    constexpr int kMostDigits = std::is_same_v<Number, float> ? 9 : 17;
    // The fewest significant digits that read back as the value, as d.ddde[+-]XX.
    char exact[40];
    for (int digits = 1; digits <= kMostDigits; ++digits) {
      std::snprintf(exact, sizeof exact, "%.*e", digits - 1, double(value));
      const bool same = std::is_same_v<Number, float> ? std::strtof(exact, nullptr) == value
                                                      : std::strtod(exact, nullptr) == value;
      if (same) break;
    }
    std::string mantissa = exact;
    const std::size_t e = mantissa.find('e');
    const int exponent = std::atoi(mantissa.c_str() + e + 1);
    // At least two digits, e-17 or e+05, whatever this C library's printf writes.
    const int size = std::abs(exponent);
    const std::string power =
        std::string(exponent < 0 ? "e-" : "e+") + (size < 10 ? "0" : "") + std::to_string(size);
    mantissa.resize(e);
    const std::string sign = mantissa[0] == '-' ? "-" : "";
    std::string figures = mantissa.substr(sign.size(), 1);
    if (mantissa.size() > sign.size() + 1) figures += mantissa.substr(sign.size() + 2);

    const std::string scientific =
        sign + figures.substr(0, 1) + (figures.size() > 1 ? "." + figures.substr(1) : "") + power;
    std::string fixed;
    if (exponent < 0) {
      fixed = "0." + std::string(-exponent - 1, '0') + figures;
    } else if (figures.size() <= std::size_t(exponent) + 1) {
      // A whole number: all its digits, which read back as it as well as zeros would.
      char whole[400];
      std::snprintf(whole, sizeof whole, "%.0f", std::fabs(double(value)));
      fixed = whole;
    } else {
      fixed = figures.substr(0, exponent + 1) + "." + figures.substr(exponent + 1);
    }
    fixed = sign + fixed;
    return scientific.size() < fixed.size() ? scientific : fixed;
  }
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
    case GL_DEPTH_TEST:
      return "GL_DEPTH_TEST";
    default:
      return std::to_string(value);
  }
}

inline std::string Text(const char* text) { return '"' + std::string(text) + '"'; }

template <typename... Args>
std::string Call(const char* name, Args... args) {
  std::string call = std::string(name) + "(";
  [[maybe_unused]] const char* separator = "";
  ((call += separator + Text(args), separator = ", "), ...);
  return call + ")";
}

}  // namespace call_text
