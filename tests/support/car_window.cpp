#include "car_window.h"

#include <GL/glut.h>
#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cstring>

#include "app/viewer_window.h"
#include "app/window_size.h"
#include "render/display.h"

namespace {

// GLUT closes the display at exit, and Mesa unloads its driver with it, before LeakSanitizer
// looks; keeping the driver mapped lets a leak report name it, so its suppression applies.
void KeepGlDriverLoaded() {
  dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void*) {
        if (std::strstr(info->dlpi_name, "_dri.so")) {
          // Never closed: the driver is to stay mapped until exit.
          // cppcheck-suppress leakReturnValNotUsed
          dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        }
        return 0;
      },
      nullptr);
}

}  // namespace

void OpenCarWindow() {
  int argc = 1;
  char name[] = "car-test";
  char* argv[] = {name, nullptr};
  glutInit(&argc, argv);
  OpenViewerWindow();
  KeepGlDriverLoaded();
  glutDisplayFunc(Display);
  WindowSize(800, 600);
}

Picture ReadBackBuffer(int x, int y, int width, int height) {
  Picture picture;
  picture.width = width;
  picture.height = height;
  std::vector<std::uint8_t> bottom_up(3 * static_cast<std::size_t>(picture.width) * picture.height);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, picture.width, picture.height, GL_RGB, GL_UNSIGNED_BYTE, bottom_up.data());
  const std::ptrdiff_t row = 3 * static_cast<std::ptrdiff_t>(picture.width);
  picture.rgb.resize(bottom_up.size());
  for (int r = 0; r < picture.height; ++r)
    std::copy_n(bottom_up.begin() + (picture.height - 1 - r) * row, row,
                picture.rgb.begin() + r * row);
  return picture;
}

Picture DrawFrame() {
  Display();
  return ReadBackBuffer(0, 0, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
}
