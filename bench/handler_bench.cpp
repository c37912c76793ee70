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

void BM_Mouse(benchmark::State& state) {
  const long before = AllocationCount();
  int call = 0;
  // Presses and releases in turn, each release ending a drag and folding it into the totals.
  for (auto _ : state) {
    Mouse(GLUT_LEFT_BUTTON, call % 2 == 0 ? GLUT_DOWN : GLUT_UP, call % 400, 300);
    ++call;
  }
  ReportAllocations(state, before);
}
BENCHMARK(BM_Mouse);

void BM_MotionMouse(benchmark::State& state) {
  const long before = AllocationCount();
  int x = 0;
  for (auto _ : state) MotionMouse(++x % 800, 300);
  ReportAllocations(state, before);
}
BENCHMARK(BM_MotionMouse);

}  // namespace

BENCHMARK_MAIN();
