// Turns a table case's description into a name GoogleTest accepts, for parameterised tests.
#pragma once

#include <cctype>
#include <string>

inline std::string CaseName(const char* description) {
  std::string name;
  for (const char* c = description; *c; ++c)
    name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
  return name;
}
