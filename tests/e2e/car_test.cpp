#include "car_test.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

const double kPatience = 10.0;  // seconds; only a broken program waits this long

bool Drawn(const Picture& picture) {
  // The screen under a new window is black until the program clears it.
  return !picture.rgb.empty() &&
         std::any_of(picture.rgb.begin(), picture.rgb.end(), [](auto c) { return c != 0; });
}

}  // namespace

CarTest::CarTest() = default;

void CarTest::SetUp() {
  window_ = x_.AwaitMappedWindow(kPatience);
  ASSERT_NE(window_, 0u) << "the program mapped no window";
  // Without a window manager the window starts at (-1, -1), a pixel off screen.
  x_.Move(window_, 0, 0);
  x_.Focus(window_);
  first_frame_ = Await(Drawn);
  ASSERT_TRUE(Drawn(first_frame_)) << "the program drew no frame";
}

void CarTest::TearDown() {
  if (!closed_) {
    EXPECT_TRUE(car_.Running()) << "the program ended during the test";
  }
}

Picture CarTest::Await(const std::function<bool(const Picture&)>& wanted) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(kPatience);
  Picture previous = x_.Grab(window_);
  for (;;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    Picture current = x_.Grab(window_);
    const bool gone = current.rgb.empty();
    if (gone || (current == previous && wanted(current)) ||
        std::chrono::steady_clock::now() > deadline)
      return current;
    previous = std::move(current);
  }
}

Picture CarTest::AwaitChange(const Picture& before) {
  return Await([&](const Picture& now) { return !(now == before); });
}

Picture CarTest::AwaitSame(const Picture& expected) {
  return Await([&](const Picture& now) { return now == expected; });
}

void CarTest::Drag(int button, int x, int y, int dx, int dy) {
  const Geometry area = x_.GeometryOf(window_);
  x_.MovePointer(area.x + x, area.y + y);
  x_.PressButton(button);
  x_.MovePointer(area.x + x + dx, area.y + y + dy);
  x_.ReleaseButton(button);
}
