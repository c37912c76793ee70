// car.exe under Wine, played against the Linux build on the same private Xvfb: the same inputs
// must give the same pictures, pixel for pixel, and closing the window must end it with
// status 0. Each program runs once through the whole session; the tests judge what each showed.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "car_process.h"
#include "picture_measures.h"
#include "x_session.h"
#include "xvfb_server.h"

namespace {

// Seconds; only a broken program waits this long. A new Wine prefix takes some 10 s to start.
const double kPatience = 30.0;

// What one program showed and did through the session.
struct Session {
  std::string title;
  Geometry area;
  Picture first_frame, after_up, after_drag;
  std::optional<int> exit_status;
};

bool Drawn(const Picture& picture) {
  // A new window is black until the program first clears it.
  return std::any_of(picture.rgb.begin(), picture.rgb.end(), [](auto c) { return c != 0; });
}

// The first grab that the next one agrees with and that differs from `before`.
Picture Settled(XSession& x, WindowId window, const Picture& before) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(kPatience);
  Picture previous = x.Grab(window);
  for (;;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Picture current = x.Grab(window);
    if ((current == previous && Drawn(current) && !(current == before)) ||
        std::chrono::steady_clock::now() > deadline)
      return current;
    previous = std::move(current);
  }
}

// Starts the program, then: its first frame, one Up arrow, a 90 px drag to the right with the
// left button, and a close as a window manager asks for it.
Session Play(XSession& x, const std::string& binary, const std::vector<std::string>& args,
             const std::vector<std::string>& env) {
  Session session;
  CarProcess program(binary, args, env, testing::TempDir() + "wine_test_stderr.txt");
  const WindowId window = x.AwaitMappedWindow(kPatience, "Car");
  if (window == 0) return session;
  session.title = x.Title(window);
  session.area = x.GeometryOf(window);
  // Without a window manager the Linux window starts a pixel off screen; Wine puts its own on.
  if (session.area.x < 0 || session.area.y < 0) {
    x.Move(window, 0, 0);
    session.area = x.GeometryOf(window);
  }
  session.first_frame = Settled(x, window, Picture());

  // Wine gives the keys to the window under the pointer.
  x.MovePointer(session.area.x + 400, session.area.y + 300);
  x.Focus(window);
  x.TapKey("Up");
  session.after_up = Settled(x, window, session.first_frame);

  x.PressButton(1);
  x.MovePointer(session.area.x + 490, session.area.y + 300);
  x.ReleaseButton(1);
  session.after_drag = Settled(x, window, session.after_up);

  x.RequestClose(window);
  session.exit_status = program.AwaitExit(kPatience);
  return session;
}

class CarExe : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    xvfb_ = new XvfbServer({"-ardelay", "60000"});
    XSession x(xvfb_->display());
    const std::string& display = xvfb_->display();
    linux_ = new Session(Play(x, LINUX_CAR, {}, {"DISPLAY=" + display}));
    windows_ = new Session(Play(
        x, "/usr/bin/wine", {WINDOWS_CAR},
        {"DISPLAY=" + display, kWinePrefix, "WINEDEBUG=-all", "WINEDLLOVERRIDES=mscoree,mshtml="}));
  }

  static void TearDownTestSuite() {
    // Wine's own processes outlive the program; they go before their display does.
    CarProcess("/usr/bin/wineserver", {"-k"}, {kWinePrefix}).AwaitExit(kPatience);
    delete windows_;
    delete linux_;
    delete xvfb_;
  }

  static constexpr const char* kWinePrefix = "WINEPREFIX=" WINE_PREFIX;
  static XvfbServer* xvfb_;
  static Session* linux_;
  static Session* windows_;
};

XvfbServer* CarExe::xvfb_ = nullptr;
Session* CarExe::linux_ = nullptr;
Session* CarExe::windows_ = nullptr;

TEST_F(CarExe, OpensAWindowTitledCarOf800By600) {
  EXPECT_EQ(windows_->title, "Car") << "no window titled Car";
  EXPECT_EQ(windows_->area.width, 800);
  EXPECT_EQ(windows_->area.height, 600);
}

TEST_F(CarExe, ShowsWhatTheLinuxBuildShows) {
  ASSERT_TRUE(Drawn(linux_->first_frame)) << "the Linux build drew no frame";
  const struct {
    const char* after;
    const Picture& on_linux;
    const Picture& on_windows;
  } steps[] = {{"start", linux_->first_frame, windows_->first_frame},
               {"one Up arrow", linux_->after_up, windows_->after_up},
               {"a 90 px drag", linux_->after_drag, windows_->after_drag}};
  for (const auto& step : steps) {
    EXPECT_EQ(DifferingPixels(step.on_linux, step.on_windows), 0)
        << "pixels differ after " << step.after;
  }
  EXPECT_FALSE(windows_->after_up == windows_->first_frame) << "Up changed nothing";
  EXPECT_FALSE(windows_->after_drag == windows_->after_up) << "the drag changed nothing";
}

TEST_F(CarExe, EndsWithStatusZeroWhenItsWindowIsClosed) {
  EXPECT_EQ(linux_->exit_status, 0);
  EXPECT_EQ(windows_->exit_status, 0);
}

}  // namespace
