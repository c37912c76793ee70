// Preloaded (LD_PRELOAD) into a GLUT program under benchmark, the viewer or the baseline alike:
// it counts the frames the program swaps onto the screen and tells when the measured ones
// reached the X server. Set FRAME_PROBE_OUT to the file it appends its lines to, and
// FRAME_PROBE_KEYS to the number of arrow keys in each burst that will be sent.
//
//   first_frame NS            the first frame is in the X server, CLOCK_REALTIME ns
//   burst FIRST_NS LAST_NS N  a line each burst: its first key reached the arrow-key callback
//                             at FIRST_NS; the frame drawn after its last key was in the X
//                             server at LAST_NS; the program swapped N frames in between
//
// The program's own calls are untouched: the probe only wraps glXSwapBuffers and the
// callback given to glutSpecialFunc, and syncs with the server after the measured frames.
#include <GL/glut.h>  // the declaration the wrapper must match
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

using SwapFunc = void (*)(Display*, GLXDrawable);
using SpecialCallback = void (*)(int, int, int);
using SpecialFuncSetter = void (*)(SpecialCallback);

long frames = 0;
long burst_keys_seen = 0;  // keys of the burst in progress
long frames_before_burst = 0;
long long first_key_ns = 0;
SpecialCallback program_special = nullptr;

long long NowNs() {
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  return now.tv_sec * 1000000000LL + now.tv_nsec;
}

long BurstKeys() {
  const char* text = std::getenv("FRAME_PROBE_KEYS");
  return text ? std::atol(text) : 0;
}

void Report(const char* line) {
  const char* path = std::getenv("FRAME_PROBE_OUT");
  if (!path) return;
  const int fd = open(path, O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (fd < 0) return;
  // One write a line, so the lines never interleave with a reader's partial view.
  if (write(fd, line, std::strlen(line)) < 0) std::perror("frame_probe");
  close(fd);
}

void CountedSpecial(int key, int x, int y) {
  if (burst_keys_seen++ == 0) {
    first_key_ns = NowNs();
    frames_before_burst = frames;
  }
  program_special(key, x, y);
}

}  // namespace

extern "C" void glutSpecialFunc(SpecialCallback callback) {
  static const auto real = reinterpret_cast<SpecialFuncSetter>(dlsym(RTLD_NEXT, "glutSpecialFunc"));
  program_special = callback;
  real(callback ? CountedSpecial : nullptr);
}

extern "C" void glXSwapBuffers(Display* dpy, GLXDrawable drawable) {
  static const auto real = reinterpret_cast<SwapFunc>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
  static const long burst_keys = BurstKeys();
  real(dpy, drawable);
  ++frames;
  char line[128];
  if (frames == 1) {
    XSync(dpy, False);  // the picture is in the server's framebuffer, not just queued
    std::snprintf(line, sizeof line, "first_frame %lld\n", NowNs());
    Report(line);
  }
  if (burst_keys > 0 && burst_keys_seen == burst_keys) {
    XSync(dpy, False);
    burst_keys_seen = 0;
    std::snprintf(line, sizeof line, "burst %lld %lld %ld\n", first_key_ns, NowNs(),
                  frames - frames_before_burst);
    Report(line);
  }
}
