// The keyboard as a user meets it: arrows drive and steer, every other key leaves all as it was.
#include "car_test.h"

using Keyboard = CarTest;

namespace {

// A row where only the body shows: its extent gives the car's place and turn.
Line BodyRow() { return Row(303, kBody); }

// Where the front wheels are drawn at the start, and where nothing else changes on steering.
const Box kFrontWheels = {338, 306, 381, 338};

struct DriveCase {
  const char* key;
  int times;
  Extent body;
};

class Driving : public CarTest, public testing::WithParamInterface<DriveCase> {};

}  // namespace

// Each step is 0.25 units, 10 px; the car faces -x, to the left.
TEST_P(Driving, MovesTheBody10PxAStep) {
  x_.TapKey(GetParam().key, GetParam().times);
  EXPECT_TRUE(Shows(BodyRow(), GetParam().body));
}

INSTANTIATE_TEST_SUITE_P(Keyboard, Driving,
                         testing::Values(DriveCase{"Up", 1, {310, 469}},
                                         DriveCase{"Up", 20, {120, 279}},
                                         DriveCase{"Down", 1, {330, 489}}),
                         [](const auto& info) {
                           return info.param.key + std::to_string(info.param.times);
                         });

TEST_F(Keyboard, SteeringTurnsOnlyTheFrontWheelsUntilTheNextMove) {
  x_.TapKey("Left", 90);  // 45 degrees
  const Picture steered = AwaitChange(first_frame_);
  const long at_wheels = DifferingPixels(steered, first_frame_, kFrontWheels);
  EXPECT_GT(at_wheels, 0) << "the front wheels did not turn";
  EXPECT_EQ(DifferingPixels(steered, first_frame_) - at_wheels, 0)
      << "pixels changed away from the front wheels";

  // The move turns the body to the heading: 45 degrees shows more of its end, less of its side.
  x_.TapKey("Up");
  EXPECT_TRUE(Shows(BodyRow(), {315, 470}));
}

namespace {

struct SteerCase {
  const char* key;
  Extent roof;  // seen from above: its rows in the middle column
};

class SteeringDirection : public CarTest, public testing::WithParamInterface<SteerCase> {};

}  // namespace

// Steering 90 degrees and driving 5 units, then looking from above (a 90 px drag down): left
// takes the car toward the viewer, to the lower half of the window; right takes it away.
TEST_P(SteeringDirection, TakesTheCarThatWay) {
  x_.TapKey(GetParam().key, 180);
  x_.TapKey("Up", 20);
  Drag(1, 400, 100, 0, 90);
  EXPECT_TRUE(Shows(Column(400, kRoof), GetParam().roof));
}

INSTANTIATE_TEST_SUITE_P(Keyboard, SteeringDirection,
                         testing::Values(SteerCase{"Left", {420, 464}},
                                         SteerCase{"Right", {135, 179}}),
                         [](const auto& info) { return std::string(info.param.key); });

TEST_F(Keyboard, BurstOfArrowsAllArrive) {
  x_.TapKey("Up", 20);
  const Extent twenty_left = {120, 279};
  const Picture twenty_up =
      Await([&](const Picture& now) { return Measure(now, BodyRow()) == twenty_left; });
  ASSERT_EQ(Measure(twenty_up, BodyRow()), twenty_left);
  x_.TapKey("Down", 20);
  ASSERT_TRUE(ShowsExactly(first_frame_));

  // 2,000 up and 1,980 down leave the car where 20 up do, wheel spin included: one event lost
  // or repeated would put it 10 px off.
  x_.TapKey("Up", 2000);
  x_.TapKey("Down", 1980);
  EXPECT_TRUE(ShowsExactly(twenty_up));
  x_.TapKey("Down", 20);
  EXPECT_TRUE(ShowsExactly(first_frame_));
}

namespace {

class OtherKey : public CarTest, public testing::WithParamInterface<const char*> {};

}  // namespace

// A key that does nothing shows nothing, so the test brackets it between two arrows: once the
// second arrow shows, the key before it has been handled too.
TEST_P(OtherKey, ChangesNothing) {
  x_.TapKey("Up");
  ASSERT_TRUE(Shows(BodyRow(), {310, 469}));
  x_.TapKey(GetParam());
  x_.TapKey("Down");
  EXPECT_TRUE(ShowsExactly(first_frame_));
}

INSTANTIATE_TEST_SUITE_P(Keyboard, OtherKey,
                         testing::Values("F1", "Prior", "Home", "Shift_L", "a", "Escape"),
                         [](const auto& info) { return std::string(info.param); });
