// The window as a user and a window manager meet it: title, size, first frame, resizes, close.
#include "car_test.h"

using CarWindow = CarTest;

namespace {

struct LineProbe {
  const char* what;
  Line line;
  Extent expected;
};

}  // namespace

TEST_F(CarWindow, IsTitledCarWithAn800By600ClientArea) {
  EXPECT_EQ(x_.Title(window_), "Car");
  const Geometry area = x_.GeometryOf(window_);
  EXPECT_EQ(area.width, 800);
  EXPECT_EQ(area.height, 600);
}

TEST_F(CarWindow, FirstFrameIsTheStartView) {
  // One scene unit is 40 px across and 30 px tall, the origin at (400, 300); the car is seen
  // from its side with the front to the left.
  const LineProbe probes[] = {
      {"white across the top", Row(0, kWhite), {0, 799}},
      {"white across the bottom", Row(599, kWhite), {0, 799}},
      {"body 4 units long, x -2..2", Row(303, kBody), {320, 479}},
      {"body 0.75 units tall, under the origin", Column(400, kBody), {300, 322}},
      {"cabin 0.5 units tall, above the origin", Column(400, kCabin), {285, 299}},
      {"cabin 2.25 units long at its foot", Row(298, kCabin), {362, 448}},
      {"front tire down to y -1.3", Column(360, kBlack), {306, 338}},
      {"rear tire down to y -1.3", Column(450, kBlack), {306, 338}},
  };
  for (const LineProbe& probe : probes)
    EXPECT_EQ(Measure(first_frame_, probe.line), probe.expected) << probe.what;
}

TEST_F(CarWindow, TwiceAsWideStretchesTheViewTwiceAsWide) {
  x_.Resize(window_, 1600, 600);
  EXPECT_TRUE(Shows(Row(303, kBody), {640, 959})) << "body 80 px a unit across";
  EXPECT_TRUE(Shows(Column(800, kBody), {300, 322})) << "body still 30 px a unit tall";
  EXPECT_TRUE(Shows(Row(298, kCabin), {724, 897})) << "cabin's foot";
}

TEST_F(CarWindow, DegenerateSizesLeaveItRunningAndDrawing) {
  x_.Resize(window_, 800, 1);
  // The one row left is the scene's y = 0, the car's waist: car colours amid white.
  const Picture line = Await([](const Picture& now) {
    return now.height == 1 && (Near(now.At(400, 0), kCabin) || Near(now.At(400, 0), kBody));
  });
  ASSERT_EQ(line.height, 1);
  EXPECT_TRUE(Near(line.At(400, 0), kCabin) || Near(line.At(400, 0), kBody));
  EXPECT_TRUE(Near(line.At(0, 0), kWhite));
  EXPECT_TRUE(Near(line.At(799, 0), kWhite));

  x_.Resize(window_, 1, 1);
  EXPECT_EQ(Await([](const Picture& now) { return now.width == 1; }).width, 1);

  x_.Resize(window_, 800, 600);
  EXPECT_TRUE(ShowsExactly(first_frame_));
}

TEST_F(CarWindow, ClosingThroughTheWindowManagerProtocolExitsWithStatus0) {
  x_.RequestClose(window_);
  EXPECT_EQ(car_.AwaitExit(10.0), 0);
  closed_ = true;
}
