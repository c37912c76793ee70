// Soak: a long stream of user input through the handlers, with a frame drawn on Mesa every
// hundred events, in a private Xvfb. Fails on a GL error, a matrix left on the stack, a frame not
// drawn, or heap memory still held that grows after warm-up; prints resident and heap figures.
//
// Usage: car_soak [events]   (default 1000000)
#include <GL/freeglut.h>  // glutMainLoopEvent, glutExit
#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "app/window_size.h"
#include "car_window.h"
#include "memory_checkers.h"
#include "random_user.h"
#include "render/display.h"
#include "xvfb_server.h"

namespace {

const long kEventsPerFrame = 100;
// A leak shows as heap memory still held. Resident memory is no verdict: Mesa maps and touches
// memory outside malloc, and freed heap stays resident, so it moves by megabytes with the
// machine's load (seen: 4.5 MiB after warm-up while the heap held shrank by 0.7 MiB). The heap
// held itself drifts by under 1 MiB; a leak of 200 bytes a frame showed as 1.1 MiB of growth, one
// of 32 bytes an event (malloc's smallest block) would come to 27 MiB.
const long kAllowedHeapGrowthKiB = 512;

long ResidentKiB() {
  long size_pages = 0, resident_pages = 0;
  std::ifstream("/proc/self/statm") >> size_pages >> resident_pages;
  return resident_pages * (sysconf(_SC_PAGESIZE) / 1024);
}

// What malloc has handed out and not had back. Zero under the sanitizers and valgrind, whose
// own allocators and leak checks take over.
long HeapHeldKiB() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
}

long frames_drawn = 0;

void CountedDisplay() {
  Display();
  ++frames_drawn;
}

bool Fail(const char* what, long event) {
  std::fprintf(stderr, "car_soak: %s (after event %ld)\n", what, event);
  return false;
}

// One turn of GLUT's main loop: it reads what the X server sent and draws the frame that the
// events have asked for.
bool DrawAndCheckFrame(long event) {
  const long before = frames_drawn;
  glutMainLoopEvent();
  if (frames_drawn != before + 1) return Fail("no frame drawn for the posted redisplay", event);
  if (glGetError() != GL_NO_ERROR) return Fail("GL error", event);
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  if (depth != 1) return Fail("model-view matrix stack left unbalanced", event);
  return true;
}

// Feeds the events, drawing every hundredth; prints the memory figures. True if all went well.
bool Soak(long events) {
  glutReshapeFunc(WindowSize);
  glutDisplayFunc(CountedDisplay);
  // The first frame comes once the window is mapped.
  while (frames_drawn == 0) {
    glutPostRedisplay();
    glutMainLoopEvent();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  frames_drawn = 0;

  const long warm_up = events / 10;
  RandomUser user(20261210);
  long start_kib = 0, start_heap_kib = 0;
  for (long event = 1; event <= events; ++event) {
    user.NextEvent();
    if (event % kEventsPerFrame == 0 && !DrawAndCheckFrame(event)) return false;
    if (event == warm_up) {
      start_kib = ResidentKiB();
      start_heap_kib = HeapHeldKiB();
    }
  }
  const long end_kib = ResidentKiB();
  const long end_heap_kib = HeapHeldKiB();

  std::printf(
      "car_soak: %ld events, %ld frames; after warm-up (%ld events) resident %ld KiB, heap held "
      "%ld KiB; at end resident %ld KiB, heap held %ld KiB\n",
      events, frames_drawn, warm_up, start_kib, start_heap_kib, end_kib, end_heap_kib);
  if (end_heap_kib - start_heap_kib > kAllowedHeapGrowthKiB) {
    std::fprintf(stderr, "car_soak: heap held grew by %ld KiB after warm-up\n",
                 end_heap_kib - start_heap_kib);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const long events = argc > 1 ? std::atol(argv[1]) : 1000000;
  XvfbServer xvfb;
  setenv("DISPLAY", xvfb.display().c_str(), 1);
  OpenCarWindow();
  const bool passed = Soak(events) && !LeaksFound();
  glutExit();  // closes the display while the server is still there
  return passed ? 0 : 1;
}
