// Turns bytes into the input events GLUT hands the viewer's handlers, and hands them over: the
// fuzzer's inputs, and the calls the page's handlers received in a browser, replayed on the host.
#pragma once

#include <cstddef>
#include <cstdint>

enum class EventKind { kKey, kPress, kRelease, kMotion };

struct Event {
  EventKind kind;
  int key_or_button;  // unused for motion
  int x;
  int y;
};

// Reads events front to back. Each is one opcode byte, whose low two bits pick the kind, then
// four-byte little-endian ints (zero-padded at the end of the input): key or button, x, y
// (motion: x, y). A key opcode with bit 2 set carries an arrow key (bits 3-4) instead of an int,
// so that the moves the invariants are about come up often.
class EventStream {
 public:
  EventStream(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  // False once the input is used up.
  bool Next(Event& event);

 private:
  int NextInt();

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// Calls the handler GLUT would call for `event`: Special, Mouse or MotionMouse.
void Deliver(const Event& event);
