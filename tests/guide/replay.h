// A frame's GL calls as the recording layer writes them, read back and sent to real GL.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct Call {
  std::string name;               // e.g. "glVertex3f"
  std::vector<std::string> args;  // as written, e.g. {"-2", "0", "-0.75"}
};

using Calls = std::vector<Call>;

// Reads calls such as "glVertex3f(-2, 0, -0.75)", one a line.
Calls ParseCalls(const std::string& text);

// Sends calls [begin, end) to the current GL context. The buffer swap is left out: pictures are
// read from the back buffer.
void Replay(const Calls& calls, std::size_t begin, std::size_t end);

// Where the count-th call (from 1) of that name is, counting from `from`; throws if there is none.
std::size_t FindCall(const Calls& calls, const std::string& name, int count, std::size_t from = 0);
