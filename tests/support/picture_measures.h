// Measures taken of a picture of any size: where a colour lies, how two pictures differ.
#pragma once

#include <climits>
#include <ostream>

#include "picture_checks.h"

// The first and last pixel showing a colour along one row or column; {-1, -1} if none does.
struct Extent {
  int first = -1;
  int last = -1;
};
bool operator==(const Extent& a, const Extent& b);
std::ostream& operator<<(std::ostream& out, const Extent& extent);

// A row or a column of a picture, and the colour looked for along it.
struct Line {
  bool row;  // false: a column
  int at;
  Rgb colour;
};
inline Line Row(int y, const Rgb& colour) { return {true, y, colour}; }
inline Line Column(int x, const Rgb& colour) { return {false, x, colour}; }
std::ostream& operator<<(std::ostream& out, const Line& line);

// Where along `line` the picture shows its colour, looking only from `from` to `to`.
Extent Measure(const Picture& picture, const Line& line, int from = 0, int to = INT_MAX);

// A rectangle of pixels, edges included.
struct Box {
  int left, top, right, bottom;
};

// How many pixels differ between two pictures, all of them or those in `box`; if their sizes
// differ, as many as the larger has.
long DifferingPixels(const Picture& a, const Picture& b);
long DifferingPixels(const Picture& a, const Picture& b, const Box& box);

bool operator==(const Picture& a, const Picture& b);
