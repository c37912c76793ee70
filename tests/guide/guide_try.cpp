// Makes the picture of one "Try it yourself" of docs/drawing.md, or checks the committed one: the
// viewer built with the experiment's patch runs on a private Xvfb, is given the keys and drag the
// guide tells the reader to give it, and the middle of its window is grabbed as the reader sees
// it, the car large enough to tell what changed.
//   guide_try write|check PICTURE VIEWER [drag DX DY] [left|right|up|down COUNT]...
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

#include "car_process.h"
#include "input.h"
#include "png_file.h"
#include "x_session.h"
#include "xvfb_server.h"

namespace {

const double kPatience = 10.0;  // seconds; only a broken viewer waits this long

bool Same(const Picture& a, const Picture& b) {
  return a.width == b.width && a.height == b.height && a.rgb == b.rgb;
}

// The window once it shows what is `wanted` and has held it for `hold`, or what it shows when
// patience runs out. The viewer reads the input as it arrives: on a busy machine it can draw
// part of it and then wait its turn, so a picture that holds briefly need not be the last one.
Picture Settled(XSession& x, WindowId window, const std::function<bool(const Picture&)>& wanted,
                std::chrono::milliseconds hold = std::chrono::milliseconds(50)) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(kPatience);
  Picture previous = x.Grab(window);
  auto since = std::chrono::steady_clock::now();
  for (;;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Picture current = x.Grab(window);
    const auto now = std::chrono::steady_clock::now();
    if (current.rgb.empty()) throw std::runtime_error("the viewer's window went");
    if (!Same(current, previous)) since = now;
    if (now - since >= hold && wanted(current)) return current;
    if (now > deadline) return current;
    previous = std::move(current);
  }
}

// The middle half of the picture each way, where the car is.
Picture Middle(const Picture& whole) {
  Picture middle;
  middle.width = whole.width / 2;
  middle.height = whole.height / 2;
  for (int y = 0; y < middle.height; ++y)
    for (int x = 0; x < middle.width; ++x)
      for (const int c : whole.At(whole.width / 4 + x, whole.height / 4 + y))
        middle.rgb.push_back(static_cast<std::uint8_t>(c));
  return middle;
}

std::string KeysymName(const std::string& key) {
  return std::string(1, static_cast<char>(key[0] - 'a' + 'A')) + key.substr(1);
}

// The middle of the window after the viewer has been given `input` and shows what is `wanted`.
Picture Drive(const std::string& viewer, const std::vector<Input>& input,
              const std::function<bool(const Picture&)>& wanted, std::chrono::milliseconds hold) {
  // Key auto-repeat put off: a slow moment must not add presses.
  const XvfbServer xvfb({"-ardelay", "60000"});
  XSession x(xvfb.display());
  CarProcess car(viewer, {}, {"DISPLAY=" + xvfb.display()});
  const WindowId window = x.AwaitMappedWindow(kPatience);
  if (window == 0) throw std::runtime_error(viewer + " mapped no window");
  // Without a window manager the window starts a pixel off screen, with no focus.
  x.Move(window, 0, 0);
  x.Focus(window);
  // A new window is black until the viewer first clears it.
  const auto lit = [](const Picture& now) {
    return std::any_of(now.rgb.begin(), now.rgb.end(), [](std::uint8_t c) { return c != 0; });
  };
  const Picture first = Settled(x, window, lit);
  if (!lit(first)) throw std::runtime_error(viewer + " drew nothing");
  for (const Input& step : input) {
    if (step.drag) {
      // From the middle of the window, with the first button, as the reader drags.
      const Geometry area = x.GeometryOf(window);
      x.MovePointer(area.x + area.width / 2, area.y + area.height / 2);
      x.PressButton(1);
      x.MovePointer(area.x + area.width / 2 + step.dx, area.y + area.height / 2 + step.dy);
      x.ReleaseButton(1);
    } else {
      x.TapKey(KeysymName(step.key), step.count);
    }
  }
  const Picture last = Settled(
      x, window, [&](const Picture& now) { return !Same(now, first) && wanted(Middle(now)); },
      hold);
  if (Same(last, first)) throw std::runtime_error("the window did not settle on a new picture");
  return Middle(last);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc >= 4 ? argv[1] : "";
  if (mode != "write" && mode != "check") {
    std::fprintf(stderr,
                 "usage: guide_try write|check PICTURE VIEWER [drag DX DY] "
                 "[left|right|up|down COUNT]...\n");
    return 2;
  }
  const std::string path = argv[2];
  const std::vector<Input> input = ReadInput("guide_try", argc - 4, argv + 4);
  try {
    if (mode == "write") {
      // Nothing to wait for but stillness: a second of it.
      WritePng(path,
               Drive(
                   argv[3], input, [](const Picture&) { return true; }, std::chrono::seconds(1)));
      return 0;
    }
    // Waits for the committed picture, so that only a viewer that never shows it fails.
    const Picture committed = ReadPng(path);
    const Picture seen = Drive(
        argv[3], input, [&](const Picture& now) { return Same(now, committed); },
        std::chrono::milliseconds(50));
    if (Same(committed, seen)) return 0;
    if (committed.width != seen.width || committed.height != seen.height) {
      std::fprintf(stderr, "%s: %d x %d, but the viewer now shows %d x %d\n", path.c_str(),
                   committed.width, committed.height, seen.width, seen.height);
    } else {
      long differ = 0;
      for (int y = 0; y < seen.height; ++y)
        for (int x = 0; x < seen.width; ++x)
          if (committed.At(x, y) != seen.At(x, y)) ++differ;
      std::fprintf(stderr, "%s: %ld pixels differ from what the viewer now shows\n", path.c_str(),
                   differ);
    }
    std::fprintf(stderr, "%s is stale: tools/guide-pictures.sh makes it again\n", path.c_str());
    return 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "guide_try: %s: %s\n", path.c_str(), error.what());
    return 1;
  }
}
