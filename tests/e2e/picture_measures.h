// Measures the end-to-end tests take of a grabbed picture, of any size.
#pragma once

#include <ostream>

#include "picture_checks.h"

// The first and last pixel showing a colour along one row or column; {-1, -1} if none does.
struct Extent {
  int first = -1;
  int last = -1;
};
bool operator==(const Extent& a, const Extent& b);
std::ostream& operator<<(std::ostream& out, const Extent& extent);

// Columns of `row` showing `colour`.
Extent RowExtent(const Picture& picture, int row, const Rgb& colour);
// Rows of `column` showing `colour`.
Extent ColumnExtent(const Picture& picture, int column, const Rgb& colour);

// A rectangle of pixels, edges included.
struct Box {
  int left, top, right, bottom;
};

// How many pixels differ between two pictures, all of them or those in `box`; if their sizes
// differ, as many as the larger has.
long DifferingPixels(const Picture& a, const Picture& b);
long DifferingPixels(const Picture& a, const Picture& b, const Box& box);

bool operator==(const Picture& a, const Picture& b);
