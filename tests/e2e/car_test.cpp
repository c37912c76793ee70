#include "car_test.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

const double kPatience = 10.0;  // seconds; only a broken program waits this long

bool Drawn(const Picture& picture) {
  // A new window is black until the program first clears it.
  return std::any_of(picture.rgb.begin(), picture.rgb.end(), [](auto c) { return c != 0; });
}

}  // namespace

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

testing::AssertionResult CarTest::Shows(const Line& line, const Extent& expected) {
  const Picture seen = Await([&](const Picture& now) { return Measure(now, line) == expected; });
  const Extent extent = Measure(seen, line);
  if (extent == expected) return testing::AssertionSuccess();
  return testing::AssertionFailure() << line << " shows " << extent << ", want " << expected
                                     << " (window " << seen.width << " x " << seen.height << ")";
}

testing::AssertionResult CarTest::ShowsExactly(const Picture& expected) {
  const Picture seen = Await([&](const Picture& now) { return now == expected; });
  const long differing = DifferingPixels(seen, expected);
  if (differing == 0) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << differing << " pixels differ (window " << seen.width << " x " << seen.height << ")";
}

void CarTest::MovePointer(int x, int y) {
  const Geometry area = x_.GeometryOf(window_);
  x_.MovePointer(area.x + x, area.y + y);
}

void CarTest::Drag(int button, int x, int y, int dx, int dy) {
  MovePointer(x, y);
  x_.PressButton(button);
  MovePointer(x + dx, y + dy);
  x_.ReleaseButton(button);
}
