// The input a picture of the guide is seen after, as words on a command line:
//   [drag DX DY] [left|right|up|down COUNT]...
// a drag from the middle of the window by (DX, DY) pixels, and arrow keys pressed COUNT times.
#pragma once

#include <string>
#include <vector>

struct Input {
  bool drag = false;
  std::string key;  // "left", "right", "up" or "down" where not a drag
  int count = 0;    // presses of the key
  int dx = 0, dy = 0;
};

// Both exit with status 2, saying why on stderr, at a word they cannot read.
int WholeNumber(const char* program, const char* text);
std::vector<Input> ReadInput(const char* program, int argc, char** argv);
