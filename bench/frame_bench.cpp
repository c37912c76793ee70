// One whole frame of the viewer against a frame that only clears and swaps, in one window on a
// private Xvfb (Mesa's software renderer), each followed by glFinish so the drawing is done.
#include <GL/freeglut.h>  // glutMainLoopEvent
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "car_window.h"
#include "clear_frame.h"
#include "render/display.h"
#include "xvfb_server.h"

namespace {

void BM_ClearOnlyFrame(benchmark::State& state) {
  for (auto _ : state) {
    ClearFrame();
    glFinish();
  }
}
// Timed by the wall clock, the figure a user waits for, and by the CPU time of the whole process,
// as Mesa rasterises on worker threads: the second varies less when others load the machine.
BENCHMARK(BM_ClearOnlyFrame)->Unit(benchmark::kMicrosecond)->UseRealTime()->MeasureProcessCPUTime();

void BM_CarFrame(benchmark::State& state) {
  for (auto _ : state) {
    Display();
    glFinish();
  }
}
BENCHMARK(BM_CarFrame)->Unit(benchmark::kMicrosecond)->UseRealTime()->MeasureProcessCPUTime();

bool shown = false;
void MarkShown() { shown = true; }

// Runs GLUT's events until the window has been exposed, so every frame goes to a mapped
// window as in the viewer.
bool WaitUntilShown() {
  glutDisplayFunc(MarkShown);
  const int deadline_ms = glutGet(GLUT_ELAPSED_TIME) + 10000;
  while (!shown && glutGet(GLUT_ELAPSED_TIME) < deadline_ms) glutMainLoopEvent();
  glutDisplayFunc(Display);
  return shown;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  XvfbServer xvfb;
  setenv("DISPLAY", xvfb.display().c_str(), 1);
  OpenCarWindow();
  if (!WaitUntilShown()) {
    std::fprintf(stderr, "the window was never shown\n");
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  glutExit();  // closes the window while its X server still runs
  return 0;
}
