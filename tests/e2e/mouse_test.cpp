// The mouse as a user meets it: a drag with any button turns the scene a degree a pixel.
#include "car_test.h"

using Mouse = CarTest;

namespace {

// The front end face-on (a 90 degree turn): 1.5 units wide, centred.
Line BodyRow() { return Row(303, kBody); }
const Extent kFrontEnd = {370, 429};
// The far side (180 degrees), front to the right: the cabin's foot moves 11 px left.
Line CabinFootRow() { return Row(298, kCabin); }
const Extent kFarSideCabin = {351, 437};
// Turned by a, the body reaches 2 cos a + 0.75 sin a units either side of its centre, 40 px a
// unit: the pixels whose centres that covers.
const Extent kTurned50 = {326, 473};
const Extent kTurned60 = {334, 465};
const Extent kTurned70 = {344, 455};

struct DragCase {
  const char* name;
  int button;
  int dx, dy;
  Line line;
  Extent expected;
};

class Dragging : public CarTest, public testing::WithParamInterface<DragCase> {};

}  // namespace

TEST_P(Dragging, TurnsTheSceneADegreeAPixel) {
  const DragCase& drag = GetParam();
  Drag(drag.button, 300, 300, drag.dx, drag.dy);
  EXPECT_TRUE(Shows(drag.line, drag.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Mouse, Dragging,
    testing::Values(DragCase{"Button1Right90ShowsTheFrontEnd", 1, 90, 0, BodyRow(), kFrontEnd},
                    DragCase{"Button2Right90ShowsTheFrontEnd", 2, 90, 0, BodyRow(), kFrontEnd},
                    DragCase{"Button3Right90ShowsTheFrontEnd", 3, 90, 0, BodyRow(), kFrontEnd},
                    DragCase{"Right180ShowsTheFarSide", 1, 180, 0, CabinFootRow(), kFarSideCabin},
                    // From above the roof lies across the origin, 1.5 units deep; from below, with
                    // no bottom faces, the back of the body's top hides the cabin.
                    DragCase{"Down90ShowsTheRoof", 1, 0, 90, Column(400, kRoof), {278, 322}},
                    DragCase{"Up90ShowsTheBodyOnly", 3, 0, -90, Column(400, kBody), {278, 322}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Mouse, ViewFollowsThePointerWhileTheButtonIsHeld) {
  MovePointer(300, 300);
  x_.PressButton(1);
  MovePointer(390, 300);
  EXPECT_TRUE(Shows(BodyRow(), kFrontEnd));
  MovePointer(480, 300);
  EXPECT_TRUE(Shows(CabinFootRow(), kFarSideCabin));
  x_.ReleaseButton(1);

  // The view stays turned after the release: seen from the far side, a step forward goes right.
  x_.TapKey("Up");
  EXPECT_TRUE(Shows(BodyRow(), {330, 489}));
}

TEST_F(Mouse, DragWithSeveralButtonsCountsEveryPixelOnce) {
  // 30 px with button 1, 30 more with buttons 1 and 3, 30 more with button 3 alone.
  MovePointer(300, 300);
  x_.PressButton(1);
  MovePointer(330, 300);
  x_.PressButton(3);
  MovePointer(360, 300);
  EXPECT_TRUE(Shows(BodyRow(), kTurned60));
  x_.ReleaseButton(1);
  MovePointer(390, 300);
  EXPECT_TRUE(Shows(BodyRow(), kFrontEnd));
  x_.ReleaseButton(3);

  Drag(1, 390, 300, -90, 0);
  EXPECT_TRUE(ShowsExactly(first_frame_));
}

TEST_F(Mouse, TurnsTheSceneAboutTheWorldOriginNotTheCar) {
  // Steered 90 degrees left and driven 5 units, the car stands 5 units toward the viewer,
  // facing them; a quarter turn right carries it 200 px right of centre, its far side showing.
  x_.TapKey("Left", 180);
  x_.TapKey("Up", 20);
  Drag(1, 300, 300, 90, 0);
  EXPECT_TRUE(Shows(BodyRow(), {520, 679}));
  EXPECT_TRUE(Shows(CabinFootRow(), {551, 637}));
}

TEST_F(Mouse, AReleaseThatNeverArrivesLeavesLaterDragsRight) {
  MovePointer(400, 300);
  x_.PressButton(1);
  MovePointer(450, 300);
  EXPECT_TRUE(Shows(BodyRow(), kTurned50));
  // Hidden mid-drag, the window loses the pointer: the program never sees this release.
  x_.Unmap(window_);
  x_.ReleaseButton(1);
  x_.Map(window_);
  EXPECT_TRUE(Shows(BodyRow(), kTurned50));

  Drag(1, 450, 300, 10, 0);
  EXPECT_TRUE(Shows(BodyRow(), kTurned60));
  // A drag measured from the first press would turn the view to -90 here.
  Drag(1, 300, 300, 10, 0);
  EXPECT_TRUE(Shows(BodyRow(), kTurned70));
  Drag(1, 600, 300, -70, 0);
  EXPECT_TRUE(ShowsExactly(first_frame_));
}
