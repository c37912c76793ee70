// Nanoseconds per call of the input handlers, and the heap allocations they make.
#include <GL/glut.h>
#include <benchmark/benchmark.h>

#include "allocation_count.h"
#include "scene/controls.h"
#include "scene/scene_state.h"

namespace {

// Counts allocations over the timed loop; any at all is a fault in a handler.
void ReportAllocations(benchmark::State& state, long before) {
  state.counters["allocs_per_call"] =
      static_cast<double>(AllocationCount() - before) / static_cast<double>(state.iterations());
}

void BM_Special(benchmark::State& state, int key) {
  car_Rot = 30.0f;  // an ordinary heading: the step's sine and cosine are not trivial
  const long before = AllocationCount();
  for (auto _ : state) Special(key, 0, 0);
  ReportAllocations(state, before);
}
BENCHMARK_CAPTURE(BM_Special, up, GLUT_KEY_UP);
BENCHMARK_CAPTURE(BM_Special, left, GLUT_KEY_LEFT);

// Each mouse benchmark leaves no button held, so the next one meets the handlers as between drags.
void BM_Mouse(benchmark::State& state) {
  const long before = AllocationCount();
  int call = 0;
  // Presses and releases in turn, each release ending a drag and folding it into the totals.
  for (auto _ : state) {
    Mouse(GLUT_LEFT_BUTTON, call % 2 == 0 ? GLUT_DOWN : GLUT_UP, call % 400, 300);
    ++call;
  }
  ReportAllocations(state, before);
  if (call % 2 == 1) Mouse(GLUT_LEFT_BUTTON, GLUT_UP, 0, 300);
}
BENCHMARK(BM_Mouse);

void BM_MouseLostRelease(benchmark::State& state) {
  const long before = AllocationCount();
  int call = 0;
  // Presses of the left button with the middle and right held: each after the first finds it
  // still held, the last of three, and ends a drag whose release was lost.
  Mouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 0, 300);
  Mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 0, 300);
  for (auto _ : state) Mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, ++call % 400, 300);
  ReportAllocations(state, before);
  for (const int button : {GLUT_LEFT_BUTTON, GLUT_MIDDLE_BUTTON, GLUT_RIGHT_BUTTON})
    Mouse(button, GLUT_UP, 0, 300);
}
BENCHMARK(BM_MouseLostRelease);

void BM_MotionMouse(benchmark::State& state) {
  Mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 300);  // motion moves the view only during a drag
  const long before = AllocationCount();
  int x = 0;
  for (auto _ : state) MotionMouse(++x % 800, 300);
  ReportAllocations(state, before);
  Mouse(GLUT_LEFT_BUTTON, GLUT_UP, 0, 300);
}
BENCHMARK(BM_MotionMouse);

}  // namespace

BENCHMARK_MAIN();
