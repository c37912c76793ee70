// One whole frame of the viewer against a frame that only clears and swaps, in one window on a
// private Xvfb (Mesa's software renderer), each followed by glFinish so the drawing is done.
#include <GL/freeglut.h>  // glutMainLoopEvent
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "car_window.h"
#include "clear_frame.h"
#include "render/car_parts.h"
#include "render/display.h"
#include "xvfb_server.h"

namespace {

// Timed by the wall clock, the figure a user waits for, and by the CPU time of the whole process,
// as Mesa rasterises on worker threads: the second varies less when others load the machine.
void FrameTiming(benchmark::internal::Benchmark* bench) {
  bench->Unit(benchmark::kMicrosecond)->UseRealTime()->MeasureProcessCPUTime();
}

void BM_ClearOnlyFrame(benchmark::State& state) {
  for (auto _ : state) {
    ClearFrame();
    glFinish();
  }
}
BENCHMARK(BM_ClearOnlyFrame)->Apply(FrameTiming);

void BM_CarFrame(benchmark::State& state) {
  for (auto _ : state) {
    Display();
    glFinish();
  }
}
BENCHMARK(BM_CarFrame)->Apply(FrameTiming);

// A frame that draws one part of the car alone, to tell where the whole frame's time goes.
void BM_PartFrame(benchmark::State& state, void (*draw_part)()) {
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    draw_part();
    glutSwapBuffers();
    glFinish();
  }
}
BENCHMARK_CAPTURE(BM_PartFrame, body, DrawCarBody)->Apply(FrameTiming);
BENCHMARK_CAPTURE(BM_PartFrame, wheels, DrawWheels)->Apply(FrameTiming);

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
