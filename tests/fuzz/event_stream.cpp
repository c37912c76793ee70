#include "event_stream.h"

#include <GL/glut.h>

#include "scene/controls.h"

int EventStream::NextInt() {
  std::uint32_t bits = 0;
  for (int shift = 0; shift < 32 && pos_ < size_; shift += 8)
    bits |= static_cast<std::uint32_t>(data_[pos_++]) << shift;
  return static_cast<int>(bits);
}

bool EventStream::Next(Event& event) {
  if (pos_ >= size_) return false;
  const std::uint8_t opcode = data_[pos_++];
  event.kind = static_cast<EventKind>(opcode & 3);
  if (event.kind == EventKind::kMotion) {
    event.key_or_button = 0;
  } else if (event.kind == EventKind::kKey && (opcode & 4)) {
    event.key_or_button = GLUT_KEY_LEFT + ((opcode >> 3) & 3);
  } else {
    event.key_or_button = NextInt();
  }
  event.x = NextInt();
  event.y = NextInt();
  return true;
}

void Deliver(const Event& event) {
  switch (event.kind) {
    case EventKind::kKey:
      Special(event.key_or_button, event.x, event.y);
      break;
    case EventKind::kPress:
      Mouse(event.key_or_button, GLUT_DOWN, event.x, event.y);
      break;
    case EventKind::kRelease:
      Mouse(event.key_or_button, GLUT_UP, event.x, event.y);
      break;
    case EventKind::kMotion:
      MotionMouse(event.x, event.y);
      break;
  }
}
