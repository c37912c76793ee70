// Makes the pictures of docs/drawing.md from the program's own drawing code, or checks that the
// committed ones still equal what it makes. Each frame is recorded by frame_calls (the real
// handlers and the real Display, with GL written down), then replayed into a real window on a
// private Xvfb, cut after a step, with axes or a grid drawn around the program's calls where a
// picture needs them.
//   guide_pictures FRAME_CALLS write|check FOLDER
#include <GL/freeglut.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>

#include "car_window.h"
#include "png_file.h"
#include "replay.h"
#include "xvfb_server.h"

namespace {

// The program's window is 800 x 600, and the wide one shows what stretches. The steps are seen
// in a larger one, 60 pixels a unit, so that the wheels' hub bars show.
const int kWideWidth = 1600;
const int kStepsWidth = 1200, kStepsHeight = 900;

// Input before the frame: the drag every later step is seen after, and what the keys did.
const std::string kView = "drag -60 10";
// Turned a quarter round and moved a unit, a large turn so that the order of the car frame's calls
// shows; the front wheels steered 30 degrees more.
const std::string kDrive = "left 180 up 4 left 60";
const std::string kDriven = kView + " " + kDrive;
const std::string kSteered = kView + " left 60";
const std::string kSteeredMoved = kSteered + " up 1";

std::string frame_calls;

Calls Record(int width, int height, const std::string& input) {
  const std::string command =
      "'" + frame_calls + "' " + std::to_string(width) + " " + std::to_string(height) + " " + input;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) throw std::runtime_error("cannot run " + command);
  std::string text;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, got);
  if (pclose(pipe) != 0) throw std::runtime_error(command + " failed");
  return ParseCalls(text);
}

// Where the steps of a frame end, as positions in its calls.
struct Steps {
  std::size_t cleared;    // white, depth cleared
  std::size_t orbit;      // the view's two rotations: next is the push into the car frame
  std::size_t car_frame;  // after its translation and rotation
  std::size_t part[7];    // after the body, the cabin, the roof and each of the four wheels
};

Steps FindSteps(const Calls& calls) {
  Steps steps{};
  steps.cleared = FindCall(calls, "glClear", 1) + 1;
  steps.orbit = FindCall(calls, "glPushMatrix", 1);
  steps.car_frame = FindCall(calls, "glRotatef", 1, steps.orbit) + 1;
  // Five body faces, four cabin faces, the roof; then each wheel ends with its pop.
  const int faces[] = {5, 9, 10};
  for (int i = 0; i < 3; ++i) steps.part[i] = FindCall(calls, "glEnd", faces[i]) + 1;
  for (int i = 0; i < 4; ++i)
    steps.part[3 + i] = FindCall(calls, "glPopMatrix", i + 1, steps.part[2]) + 1;
  return steps;
}

// Back to the state a frame starts from: a cut frame can leave pushes behind.
void Reset() {
  glMatrixMode(GL_MODELVIEW);
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  for (; depth > 1; --depth) glPopMatrix();
  glEnable(GL_DEPTH_TEST);
}

// The middle 400 x 300 of the steps' window.
Picture ReadMiddle() {
  return ReadBackBuffer((kStepsWidth - 400) / 2, (kStepsHeight - 300) / 2, 400, 300);
}

// The whole window at half size, each pixel the mean of four.
Picture ReadHalved(int width) {
  const Picture full = ReadBackBuffer(0, 0, width, 600);
  Picture half;
  half.width = full.width / 2;
  half.height = full.height / 2;
  half.rgb.resize(3 * static_cast<std::size_t>(half.width) * half.height);
  for (int y = 0; y < half.height; ++y)
    for (int x = 0; x < half.width; ++x)
      for (int c = 0; c < 3; ++c) {
        const auto at = [&](int dx, int dy) { return full.At(2 * x + dx, 2 * y + dy)[c]; };
        half.rgb[3 * (static_cast<std::size_t>(y) * half.width + x) + c] =
            static_cast<std::uint8_t>((at(0, 0) + at(1, 0) + at(0, 1) + at(1, 1) + 2) / 4);
      }
  return half;
}

struct Shade {
  float x[3], y[3], z[3];
  float width;
  float length;
  bool dashed;
};
const Shade kAxes = {{0.9f, 0.1f, 0.1f}, {0.1f, 0.6f, 0.1f}, {0.1f, 0.2f, 0.9f}, 3.0f, 2.2f, false};
const Shade kLightAxes = {
    {1.0f, 0.7f, 0.7f}, {0.7f, 0.9f, 0.7f}, {0.7f, 0.75f, 1.0f}, 3.0f, 2.2f, false};
// Longer than the others and dashed, so that they show beside and over axes along the same line.
const Shade kGreyAxes = {
    {0.4f, 0.4f, 0.4f}, {0.4f, 0.4f, 0.4f}, {0.4f, 0.4f, 0.4f}, 2.0f, 2.8f, true};

// The current frame's x, y and z axes from its origin, each with its letter at the end.
void DrawAxes(const Shade& shade) {
  const float length = shade.length;
  const std::pair<const float*, char> axes[] = {{shade.x, 'x'}, {shade.y, 'y'}, {shade.z, 'z'}};
  glDisable(GL_DEPTH_TEST);
  glLineWidth(shade.width);
  if (shade.dashed) {
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(1, 0xF0F0);
  }
  for (int i = 0; i < 3; ++i) {
    float end[3] = {0, 0, 0};
    end[i] = length;
    glColor3fv(axes[i].first);
    glBegin(GL_LINES);
    glVertex3f(0, 0, 0);
    glVertex3fv(end);
    glEnd();
    end[i] = length + 0.3f;
    glRasterPos3fv(end);
    glutBitmapCharacter(GLUT_BITMAP_HELVETICA_12, axes[i].second);
  }
  glLineWidth(1.0f);
  glDisable(GL_LINE_STIPPLE);
  glEnable(GL_DEPTH_TEST);
}

// Whatever the window shows, faded most of the way to white.
void Fade() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(1.0f, 1.0f, 1.0f, 0.75f);
  glRectf(-1.0f, -1.0f, 1.0f, 1.0f);
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

// The calls [begin, end) once more, as orange outlines over everything, hidden edges too: what a
// step adds. The state the calls start from is the current one. A tyre is outlined with fewer
// rings than it is drawn with: the edges of all 100 fill in to a solid disc.
void Outline(const Calls& calls, std::size_t begin, std::size_t end) {
  Calls shapes;
  for (std::size_t i = begin; i < end; ++i) {
    if (calls[i].name == "glColor3f") continue;
    shapes.push_back(calls[i]);
    if (calls[i].name == "glutSolidTorus") shapes.back().args.at(3) = "16";
  }
  glDisable(GL_DEPTH_TEST);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glColor3f(1.0f, 0.5f, 0.0f);
  Replay(shapes, 0, shapes.size());
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glEnable(GL_DEPTH_TEST);
}

// A line at every unit of the 20 x 20 box, behind everything the frame draws.
void DrawGrid() {
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glColor3f(0.8f, 0.8f, 0.8f);
  glBegin(GL_LINES);
  for (int i = -10; i <= 10; ++i) {
    glVertex2i(i, -10);
    glVertex2i(i, 10);
    glVertex2i(-10, i);
    glVertex2i(10, i);
  }
  glEnd();
  glEnable(GL_DEPTH_TEST);
  glPopMatrix();
}

// The frame cut after a part of the car, that part outlined, as the middle of the window shows it.
Picture CutAfter(int part) {
  const Calls calls = Record(kStepsWidth, kStepsHeight, kDriven);
  const Steps steps = FindSteps(calls);
  const std::size_t begin = part == 0 ? steps.car_frame : steps.part[part - 1];
  Replay(calls, 0, begin);
  // A wheel's translation is outside its push: kept off the matrix the outline starts from.
  glPushMatrix();
  Replay(calls, begin, steps.part[part]);
  glPopMatrix();
  Outline(calls, begin, steps.part[part]);
  return ReadMiddle();
}

Picture Whole(const std::string& input) {
  const Calls calls = Record(kStepsWidth, kStepsHeight, input);
  Replay(calls, 0, calls.size());
  return ReadMiddle();
}

// The start frame as the whole window shows it, the box's grid behind the car if asked for.
Picture WholeWindow(int width, bool grid) {
  const Calls calls = Record(width, 600, "");
  const Steps steps = FindSteps(calls);
  Replay(calls, 0, steps.cleared);
  if (grid) DrawGrid();
  Replay(calls, steps.cleared, calls.size());
  return ReadHalved(width);
}

// The whole frame, then the world's axes over it, turned by the view as the car is.
Picture Orbit(const std::string& input) {
  const Calls calls = Record(kStepsWidth, kStepsHeight, input);
  const Steps steps = FindSteps(calls);
  Replay(calls, 0, calls.size());
  Replay(calls, steps.cleared, steps.orbit);
  DrawAxes(kAxes);
  return ReadMiddle();
}

// A faint car under the car's axes after its rotation alone, after the translation as well, and
// the world's.
Picture CarFrame() {
  const Calls calls = Record(kStepsWidth, kStepsHeight, kDriven);
  const Steps steps = FindSteps(calls);
  Replay(calls, 0, calls.size());
  Fade();
  Replay(calls, steps.cleared, steps.orbit);
  glPushMatrix();
  Replay(calls, steps.car_frame - 1, steps.car_frame);
  DrawAxes(kLightAxes);
  glPopMatrix();
  glPushMatrix();
  Replay(calls, steps.orbit, steps.car_frame);
  DrawAxes(kAxes);
  glPopMatrix();
  DrawAxes(kGreyAxes);
  return ReadMiddle();
}

struct Made {
  const char* file;
  std::function<Picture()> make;
};

const Made kPictures[] = {
    {"window.png", [] { return WholeWindow(800, false); }},
    {"projection.png", [] { return WholeWindow(800, true); }},
    {"projection-wide.png", [] { return WholeWindow(kWideWidth, true); }},
    {"orbit-none.png", [] { return Orbit(kDrive); }},
    {"orbit.png", [] { return Orbit(kDriven); }},
    {"car-frame.png", CarFrame},
    {"body.png", [] { return CutAfter(0); }},
    {"cabin.png", [] { return CutAfter(1); }},
    {"roof.png", [] { return CutAfter(2); }},
    {"wheel-1.png", [] { return CutAfter(3); }},
    {"wheel-2.png", [] { return CutAfter(4); }},
    {"wheel-3.png", [] { return CutAfter(5); }},
    {"wheel-4.png", [] { return CutAfter(6); }},
    {"steer.png", [] { return Whole(kSteered); }},
    {"steer-move.png", [] { return Whole(kSteeredMoved); }},
};

// The program's window made wide enough for every picture; the narrower ones use its left part.
void WidenWindow() {
  glutPositionWindow(0, 0);
  glutReshapeWindow(kWideWidth, kStepsHeight);
  for (int tries = 0; glutGet(GLUT_WINDOW_WIDTH) != kWideWidth; ++tries) {
    if (tries == 500) throw std::runtime_error("the window did not take its new size");
    glutMainLoopEvent();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// Says what differs, if anything, between a committed picture and the one made now.
bool Same(const std::string& path, const Picture& made) {
  Picture committed;
  try {
    committed = ReadPng(path);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return false;
  }
  if (committed.width != made.width || committed.height != made.height) {
    std::fprintf(stderr, "%s: %d x %d, but the code now makes %d x %d\n", path.c_str(),
                 committed.width, committed.height, made.width, made.height);
    return false;
  }
  int differ = 0;
  for (int y = 0; y < made.height; ++y)
    for (int x = 0; x < made.width; ++x) {
      if (committed.At(x, y) == made.At(x, y)) continue;
      if (differ++ == 0) {
        const Rgb was = committed.At(x, y), now = made.At(x, y);
        std::fprintf(stderr, "%s: pixel (%d, %d) is %d,%d,%d, but the code now draws %d,%d,%d\n",
                     path.c_str(), x, y, was[0], was[1], was[2], now[0], now[1], now[2]);
      }
    }
  if (differ > 0) std::fprintf(stderr, "%s: %d pixels differ\n", path.c_str(), differ);
  return differ == 0;
}

// PNG files in the folder that no picture here makes.
std::vector<std::string> Strays(const std::string& folder, const std::set<std::string>& made) {
  std::vector<std::string> strays;
  std::error_code missing;
  for (const auto& entry : std::filesystem::directory_iterator(folder, missing)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".png" && made.count(name) == 0) strays.push_back(name);
  }
  return strays;
}

int MakeAll(const std::string& folder, bool write) {
  int stale = 0;
  std::set<std::string> made;
  for (const Made& picture : kPictures) {
    Reset();
    const std::string path = folder + "/" + picture.file;
    made.insert(picture.file);
    if (write)
      WritePng(path, picture.make());
    else if (!Same(path, picture.make()))
      ++stale;
  }
  // Left for whoever writes to remove: the folder may hold other pictures.
  for (const std::string& stray : Strays(folder, made)) {
    std::fprintf(stderr, "%s/%s: no picture of the guide is made under this name\n", folder.c_str(),
                 stray.c_str());
    ++stale;
  }
  if (write) return 0;
  if (stale > 0)
    std::fprintf(stderr, "%d pictures are stale: tools/guide-pictures.sh makes them again\n",
                 stale);
  return stale > 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc == 4 ? argv[2] : "";
  if (mode != "write" && mode != "check") {
    std::fprintf(stderr, "usage: guide_pictures FRAME_CALLS write|check FOLDER\n");
    return 2;
  }
  frame_calls = argv[1];
  try {
    const XvfbServer xvfb;
    setenv("DISPLAY", xvfb.display().c_str(), 1);
    OpenCarWindow();
    WidenWindow();
    const int status = MakeAll(argv[3], mode == "write");
    glutExit();  // let go of the display before the server goes
    return status;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "guide_pictures: %s\n", error.what());
    return 1;
  }
}
