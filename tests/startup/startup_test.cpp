// Bad start-up input to the real viewer binary: each case must end with GLUT's message and a
// non-zero status, or be ignored (the window opens and the viewer runs), and never end in a
// crash signal. GLUT's own options must reach GLUT.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "case_name.h"
#include "viewer_run.h"
#include "xvfb_server.h"

namespace {

const std::string kBinary = CAR_BINARY;
// Never a real file: no client cookie, so a display with access control turns the viewer away.
const std::string kNoCookie = "XAUTHORITY=/nonexistent/car-startup-test/.Xauthority";

// A server resets when its last client leaves, and turns connections away while it does: between
// two runs there may be no client at all.
const std::vector<std::string> kNoReset = {"-noreset"};

// A display, the one the tests watch, and a second that lets only holders of a cookie in.
class StartupTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    open_ = std::make_unique<XvfbServer>(kNoReset);
    char cookie_file[] = "/tmp/car-startup-auth-XXXXXX";
    close(mkstemp(cookie_file));
    auth_file_ = cookie_file;
    // The server reads every cookie in its -auth file, whatever display the entry names.
    const std::string add =
        "xauth -q -f " + auth_file_ + " add :0 MIT-MAGIC-COOKIE-1 0123456789abcdef0123456789abcdef";
    ASSERT_EQ(std::system(add.c_str()), 0) << "xauth failed";
    refusing_ = std::make_unique<XvfbServer>(std::vector<std::string>{"-auth", auth_file_});
  }
  static void TearDownTestSuite() {
    refusing_.reset();
    open_.reset();
    std::remove(auth_file_.c_str());
  }

  static std::unique_ptr<XvfbServer> open_;
  static std::unique_ptr<XvfbServer> refusing_;
  static std::string auth_file_;
};

std::unique_ptr<XvfbServer> StartupTest::open_;
std::unique_ptr<XvfbServer> StartupTest::refusing_;
std::string StartupTest::auth_file_;

std::string GlutMessage(const std::string& text) { return "freeglut (" + kBinary + "): " + text; }

bool Crashed(const ViewerOutcome& outcome) {
  return WIFSIGNALED(outcome.wait_status) ||
         outcome.error_output.find("Sanitizer") != std::string::npos ||
         outcome.error_output.find("runtime error") != std::string::npos;
}

// GLUT's own message, or the X library's report of a request the server refused, which ends a
// GLUT program the same way (with -sync it comes before GLUT has looked at the reply).
bool ReportsFailure(const std::string& error_output) {
  return error_output.find(GlutMessage("")) != std::string::npos ||
         error_output.find("X Error of failed request") != std::string::npos;
}

// Ended by itself with a failure status, GLUT's message on stderr, and no window.
void ExpectGlutRefusal(const ViewerOutcome& outcome, const std::string& message) {
  EXPECT_FALSE(Crashed(outcome)) << outcome.error_output;
  EXPECT_FALSE(outcome.window_opened);
  ASSERT_TRUE(WIFEXITED(outcome.wait_status));
  EXPECT_NE(WEXITSTATUS(outcome.wait_status), 0);
  EXPECT_NE(outcome.error_output.find(GlutMessage(message)), std::string::npos)
      << outcome.error_output;
}

// Opened its 800 x 600 window, ran, and quit with status 0 when closed.
void ExpectRan(const ViewerOutcome& outcome) {
  EXPECT_FALSE(Crashed(outcome)) << outcome.error_output;
  ASSERT_TRUE(outcome.window_opened) << outcome.error_output;
  EXPECT_EQ(outcome.place.width, 800);
  EXPECT_EQ(outcome.place.height, 600);
  ASSERT_TRUE(WIFEXITED(outcome.wait_status));
  EXPECT_EQ(WEXITSTATUS(outcome.wait_status), 0) << outcome.error_output;
}

TEST_F(StartupTest, NoDisplayEndsWithGlutMessage) {
  ExpectGlutRefusal(RunViewer(kBinary, {}, {"DISPLAY"}, ""), "failed to open display ''");
}

TEST_F(StartupTest, DisplayThatRefusesEndsWithGlutMessage) {
  const std::string display = refusing_->display();
  ExpectGlutRefusal(RunViewer(kBinary, {}, {"DISPLAY=" + display, kNoCookie}, ""),
                    "failed to open display '" + display + "'");
}

struct BadOptionCase {
  const char* name;
  std::vector<std::string> args;
  const char* message;  // GLUT's, after "freeglut (PROGRAM): "
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const BadOptionCase& c, std::ostream* os) { *os << c.name; }

class BadOptionTest : public StartupTest, public testing::WithParamInterface<BadOptionCase> {};

TEST_P(BadOptionTest, EndsWithGlutMessage) {
  const BadOptionCase& c = GetParam();
  ExpectGlutRefusal(RunViewer(kBinary, c.args, {"DISPLAY=" + open_->display()}, ""), c.message);
}

const BadOptionCase kBadOptions[] = {
    {"a bogus display name", {"-display", "bogus:xyz"}, "failed to open display 'bogus:xyz'"},
    {"-display with no name after it",
     {"-display"},
     "-display parameter must be followed by display name"},
    {"-geometry with nothing after it",
     {"-geometry"},
     "-geometry parameter must be followed by window geometry settings"},
};

INSTANTIATE_TEST_SUITE_P(GlutOptions, BadOptionTest, testing::ValuesIn(kBadOptions),
                         [](const auto& info) { return CaseName(info.param.name); });

TEST_F(StartupTest, MalformedGeometryIsIgnored) {
  for (const char* geometry :
       {"abc", "x", "+", "-", "800x", "99999999999x9999999999+99999999999+-9999999999"}) {
    SCOPED_TRACE(geometry);
    ExpectRan(RunViewer(kBinary, {"-geometry", geometry}, {"DISPLAY=" + open_->display()},
                        open_->display()));
  }
}

TEST_F(StartupTest, DisplayOptionSelectsTheDisplay) {
  XvfbServer other(kNoReset);
  // DISPLAY names the watched display; the window must come up on the other one instead.
  ExpectRan(RunViewer(kBinary, {"-display", other.display()}, {"DISPLAY=" + open_->display()},
                      other.display()));
}

TEST_F(StartupTest, GeometryPlacesTheWindowButTheViewerSetsItsSize) {
  const ViewerOutcome outcome = RunViewer(kBinary, {"-geometry", "300x200+40+50"},
                                          {"DISPLAY=" + open_->display()}, open_->display());
  ExpectRan(outcome);
  EXPECT_EQ(outcome.place.x, 40);
  EXPECT_EQ(outcome.place.y, 50);
}

// Arguments drawn at random from GLUT's options, values good and bad, and junk bytes. Display
// names are only ours or ones that name no server, so no run reaches anyone else's display.
class RandomArguments {
 public:
  RandomArguments(unsigned seed, std::vector<std::string> displays)
      : random_(seed), displays_(std::move(displays)) {}

  std::vector<std::string> Next() {
    std::vector<std::string> args;
    const int items = Pick(0, 6);
    for (int i = 0; i < items; ++i) {
      switch (Pick(0, 4)) {
        case 0:
          args.push_back(kFlags[Pick(0, std::size(kFlags) - 1)]);
          break;
        case 1:
          args.push_back("-geometry");
          args.push_back(Text("0123456789x+-", Pick(0, 14)));
          break;
        case 2:
          args.push_back("-display");
          args.push_back(displays_[Pick(0, displays_.size() - 1)]);
          break;
        default:
          args.push_back(Junk());
          break;
      }
    }
    if (Pick(0, 9) == 0) args.push_back(Pick(0, 1) ? "-display" : "-geometry");  // nothing after
    return args;
  }

 private:
  static constexpr const char* kFlags[] = {"-direct", "-indirect", "-iconic", "-gldebug", "-sync"};

  int Pick(int low, std::size_t high) {
    return std::uniform_int_distribution<int>(low, static_cast<int>(high))(random_);
  }
  std::string Text(const std::string& alphabet, int length) {
    std::string text;
    for (int i = 0; i < length; ++i) text += alphabet[Pick(0, alphabet.size() - 1)];
    return text;
  }
  // Any bytes but NUL, sometimes starting with a dash as an option does.
  std::string Junk() {
    std::string junk = Pick(0, 2) == 0 ? "-" : "";
    const int length = Pick(0, 20);
    for (int i = 0; i < length; ++i) junk += static_cast<char>(Pick(1, 255));
    return junk;
  }

  std::mt19937 random_;
  std::vector<std::string> displays_;
};

TEST_F(StartupTest, RandomArgumentsEndWithGlutMessageOrRun) {
  RandomArguments arguments(
      20261210, {open_->display(), refusing_->display(), "bogus:xyz", "", ":", "nocolon"});
  int opened = 0;
  const int runs = 300;
  for (int run = 0; run < runs; ++run) {
    const std::vector<std::string> args = arguments.Next();
    std::string shown;
    for (const std::string& arg : args) shown += " '" + arg + "'";
    SCOPED_TRACE("run " + std::to_string(run) + ":" + shown);
    const ViewerOutcome outcome =
        RunViewer(kBinary, args, {"DISPLAY=" + open_->display(), kNoCookie}, open_->display());
    ASSERT_FALSE(Crashed(outcome)) << outcome.error_output;
    ASSERT_TRUE(WIFEXITED(outcome.wait_status));
    if (WEXITSTATUS(outcome.wait_status) != 0)
      ASSERT_TRUE(ReportsFailure(outcome.error_output)) << outcome.error_output;
    else
      ASSERT_TRUE(outcome.window_opened) << "ended with status 0 without opening its window";
    if (outcome.window_opened) ++opened;
  }
  std::printf("%d runs: %d opened the window and quit when it was closed, %d were refused\n", runs,
              opened, runs - opened);
}

}  // namespace
