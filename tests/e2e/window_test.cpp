// The window as a user and a window manager meet it: title, size, first frame, resizes, close.
#include "car_test.h"

namespace {

// A line of pixels, one row or one column, and the stretch of it that shows a colour.
struct LineProbe {
  const char* what;
  bool row;  // false: a column
  int at;
  Rgb colour;
  Extent expected;
};

Extent Measure(const Picture& picture, const LineProbe& probe) {
  return probe.row ? RowExtent(picture, probe.at, probe.colour)
                   : ColumnExtent(picture, probe.at, probe.colour);
}

}  // namespace

TEST_F(CarTest, WindowIsTitledCarWithAn800By600ClientArea) {
  EXPECT_EQ(x_.Title(window_), "Car");
  const Geometry area = x_.GeometryOf(window_);
  EXPECT_EQ(area.width, 800);
  EXPECT_EQ(area.height, 600);
}

TEST_F(CarTest, FirstFrameIsTheStartView) {
  // One scene unit is 40 px across and 30 px tall, the origin at (400, 300); the car is seen
  // from its side with the front to the left.
  const LineProbe probes[] = {
      {"white across the top", true, 0, kWhite, {0, 799}},
      {"white across the bottom", true, 599, kWhite, {0, 799}},
      {"body 4 units long, x -2..2", true, 303, kBody, {320, 479}},
      {"body 0.75 units tall, under the origin", false, 400, kBody, {300, 322}},
      {"cabin 0.5 units tall, above the origin", false, 400, kCabin, {285, 299}},
      {"cabin slopes: 2.25 units at its foot", true, 298, kCabin, {362, 448}},
      {"front tire down to y -1.3", false, 360, kBlack, {306, 338}},
      {"rear tire down to y -1.3", false, 450, kBlack, {306, 338}},
  };
  for (const LineProbe& probe : probes)
    EXPECT_EQ(Measure(first_frame_, probe), probe.expected) << probe.what;
}

TEST_F(CarTest, WindowTwiceAsWideStretchesTheViewTwiceAsWide) {
  x_.Resize(window_, 1600, 600);
  const Picture wide = Await([](const Picture& now) { return now.width == 1600; });

  const LineProbe probes[] = {
      {"body 80 px a unit across", true, 303, kBody, {640, 959}},
      {"body still 30 px a unit tall", false, 800, kBody, {300, 322}},
      {"cabin's foot", true, 298, kCabin, {724, 897}},
  };
  for (const LineProbe& probe : probes)
    EXPECT_EQ(Measure(wide, probe), probe.expected) << probe.what;
}

TEST_F(CarTest, DegenerateSizesLeaveItRunningAndDrawing) {
  x_.Resize(window_, 800, 1);
  const Picture line = Await([](const Picture& now) { return now.height == 1; });
  // The one row left is the scene's y = 0: the car's waist, white either side.
  ASSERT_EQ(line.height, 1);
  EXPECT_EQ(RowExtent(line, 0, kWhite), (Extent{0, 799}));
  EXPECT_TRUE(Near(line.At(400, 0), kCabin) || Near(line.At(400, 0), kBody));

  x_.Resize(window_, 1, 1);
  EXPECT_EQ(Await([](const Picture& now) { return now.width == 1; }).width, 1);
  EXPECT_TRUE(car_.Running());

  x_.Resize(window_, 800, 600);
  EXPECT_EQ(DifferingPixels(AwaitSame(first_frame_), first_frame_), 0);
}

TEST_F(CarTest, ClosingThroughTheWindowManagerProtocolExitsWithStatus0) {
  x_.RequestClose(window_);
  EXPECT_EQ(car_.AwaitExit(10.0), 0);
  closed_ = true;
}
