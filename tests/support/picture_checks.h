// Checks on a frame read back from the window: flat colours probed a few pixels away from any
// edge, with one step of tolerance per 8-bit channel.
#pragma once

#include <optional>
#include <vector>

#include "picture.h"

inline const Rgb kWhite = {255, 255, 255};
inline const Rgb kBlack = {0, 0, 0};
inline const Rgb kBody = {102, 128, 153};   // (0.4, 0.5, 0.6)
inline const Rgb kCabin = {179, 204, 230};  // (0.7, 0.8, 0.9)
inline const Rgb kRoof = {128, 153, 179};   // (0.5, 0.6, 0.7)

bool Near(const Rgb& a, const Rgb& b);

struct Probe {
  int x, y;
  Rgb colour;
  const char* what;
};

// Where the body colour starts and ends along a row: its centre and width in pixels.
struct Span {
  int row, centre, width;
};

// What a frame must show: colours at points, and where the body lies along a row.
struct Expected {
  std::vector<Probe> probes;
  std::optional<Span> body;
};

void ExpectPicture(const Picture& picture, const Expected& expected);
