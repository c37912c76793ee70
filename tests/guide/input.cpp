#include "input.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int WholeNumber(const char* program, const char* text) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0') {
    std::fprintf(stderr, "%s: not a whole number: %s\n", program, text);
    std::exit(2);
  }
  return static_cast<int>(value);
}

std::vector<Input> ReadInput(const char* program, int argc, char** argv) {
  std::vector<Input> input;
  int i = 0;
  while (i < argc) {
    Input step;
    step.drag = std::strcmp(argv[i], "drag") == 0;
    if (!step.drag) {
      step.key = argv[i];
      if (step.key != "left" && step.key != "right" && step.key != "up" && step.key != "down") {
        std::fprintf(stderr, "%s: no such input: %s\n", program, argv[i]);
        std::exit(2);
      }
    }
    if (i + (step.drag ? 2 : 1) >= argc) {
      std::fprintf(stderr, "%s: %s wants %s\n", program, argv[i], step.drag ? "DX DY" : "a count");
      std::exit(2);
    }
    if (step.drag) {
      step.dx = WholeNumber(program, argv[i + 1]);
      step.dy = WholeNumber(program, argv[i + 2]);
      i += 3;
    } else {
      step.count = WholeNumber(program, argv[i + 1]);
      i += 2;
    }
    input.push_back(step);
  }
  return input;
}
