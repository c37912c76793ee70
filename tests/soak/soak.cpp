// Soak: a long stream of user input through the handlers, with a frame drawn on Mesa every
// hundred events, in a private Xvfb. Fails on a GL error, a matrix left on the stack, a frame not
// drawn, or resident memory that grows after warm-up; prints the memory figures.
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
// What Mesa and Xlib may still settle into after warm-up: seen up to 0.5 MiB alone, 2 MiB with
// other tests loading the machine. Over the 900,000 events after warm-up of a full run, a leak of
// 32 bytes an event (malloc's smallest block) comes to 27 MiB, one of 470 bytes a frame to 4 MiB.
const long kAllowedGrowthKiB = 4096;

long ResidentKiB() {
  long size_pages = 0, resident_pages = 0;
  std::ifstream("/proc/self/statm") >> size_pages >> resident_pages;
  return resident_pages * (sysconf(_SC_PAGESIZE) / 1024);
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
  long start_kib = 0;
  for (long event = 1; event <= events; ++event) {
    user.NextEvent();
    if (event % kEventsPerFrame == 0 && !DrawAndCheckFrame(event)) return false;
    if (event == warm_up) start_kib = ResidentKiB();
  }
  const long end_kib = ResidentKiB();

  std::printf(
      "car_soak: %ld events, %ld frames; resident memory %ld KiB after warm-up (%ld events), %ld "
      "KiB at end\n",
      events, frames_drawn, start_kib, warm_up, end_kib);
  // Under valgrind, resident memory is valgrind's as much as ours; its own leak check is the test.
  if (!UnderValgrind() && end_kib - start_kib > kAllowedGrowthKiB) {
    std::fprintf(stderr, "car_soak: resident memory grew by %ld KiB after warm-up\n",
                 end_kib - start_kib);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const long events = argc > 1 ? std::atol(argv[1]) : 1000000;
  // One malloc arena: glibc adds arenas when llvmpipe's threads happen to contend for the lock,
  // and each new one shows as a step in resident memory that depends on the machine's load.
  mallopt(M_ARENA_MAX, 1);
  XvfbServer xvfb;
  setenv("DISPLAY", xvfb.display().c_str(), 1);
  OpenCarWindow();
  const bool passed = Soak(events) && !LeaksFound();
  glutExit();  // closes the display while the server is still there
  return passed ? 0 : 1;
}
