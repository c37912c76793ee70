// The exact GL calls of one frame, recorded in place of GL: what pixels cannot show, such as
// the order of vertices, where colours are issued and how the matrix stack is used.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gl_recorder.h"
#include "render/display.h"
#include "scene/scene_state.h"
#include "scene_reset.h"

namespace {

using Calls = std::vector<std::string>;

void Append(Calls& calls, const Calls& more) {
  calls.insert(calls.end(), more.begin(), more.end());
}

// One flat face: its colour goes inside the pair, before the first vertex.
Calls Face(const std::string& colour, const std::vector<std::string>& vertices) {
  Calls calls = {"glBegin(GL_POLYGON)", "glColor3f(" + colour + ")"};
  for (const std::string& v : vertices) calls.push_back("glVertex3f(" + v + ")");
  calls.push_back("glEnd()");
  return calls;
}

// One wheel, drawn where the running translations have put the current matrix.
Calls Wheel(const Calls& steering, const std::string& spin, const std::string& hub_z) {
  Calls calls = {"glPushMatrix()"};
  Append(calls, steering);
  Append(calls, {spin, "glBegin(GL_POLYGON)", "glVertex3f(-0.1, -0.3, " + hub_z + ")",
                 "glVertex3f(0.1, -0.3, " + hub_z + ")", "glVertex3f(0.1, 0.3, " + hub_z + ")",
                 "glVertex3f(-0.1, 0.3, " + hub_z + ")", "glEnd()",
                 "glutSolidTorus(0.15, 0.4, 5, 100)", "glPopMatrix()"});
  return calls;
}

TEST(Frame, DrawsTheCarWithTheseCallsInThisOrder) {
  ResetSceneState();
  rot_x = 5;
  record_x = 10;
  rot_y = -3;
  record_y = 1;
  xTran = 1.5f;
  zTran = -2.0f;
  body_Rot = 30.0f;
  car_Rot = 32.5f;
  tire_Rot = 40.0f;

  Calls want = {
      "glClearColor(1, 1, 1, 1)",
      "glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)",
      "glMatrixMode(GL_MODELVIEW)",
      "glLoadIdentity()",
      "glRotatef(-2, 1, 0, 0)",  // rot_y + record_y about x first
      "glRotatef(15, 0, 1, 0)",  // then rot_x + record_x about y
      "glPushMatrix()",
      "glTranslatef(1.5, 0, -2)",
      "glRotatef(30, 0, 1, 0)",
  };
  const std::string body = "0.4, 0.5, 0.6", cabin = "0.7, 0.8, 0.9", roof = "0.5, 0.6, 0.7";
  Append(want, Face(body, {"-2, 0, -0.75", "-2, 0, 0.75", "-2, -0.75, 0.75", "-2, -0.75, -0.75"}));
  Append(want, Face(body, {"2, 0, -0.75", "2, 0, 0.75", "2, -0.75, 0.75", "2, -0.75, -0.75"}));
  Append(want, Face(body, {"-2, 0, 0.75", "2, 0, 0.75", "2, -0.75, 0.75", "-2, -0.75, 0.75"}));
  Append(want, Face(body, {"-2, 0, -0.75", "2, 0, -0.75", "2, -0.75, -0.75", "-2, -0.75, -0.75"}));
  Append(want, Face(body, {"-2, 0, 0.75", "-2, 0, -0.75", "2, 0, -0.75", "2, 0, 0.75"}));
  Append(want, Face(cabin, {"-0.5, 0.5, 0.75", "-1, 0, 0.75", "-1, 0, -0.75", "-0.5, 0.5, -0.75"}));
  Append(want, Face(cabin, {"1, 0.5, 0.75", "1, 0.5, -0.75", "1.25, 0, -0.75", "1.25, 0, 0.75"}));
  Append(want, Face(cabin, {"-1, 0, 0.75", "-0.5, 0.5, 0.75", "1, 0.5, 0.75", "1.25, 0, 0.75"}));
  Append(want,
         Face(cabin, {"-1, 0, -0.75", "-0.5, 0.5, -0.75", "1, 0.5, -0.75", "1.25, 0, -0.75"}));
  Append(want,
         Face(roof, {"-0.5, 0.5, 0.75", "-0.5, 0.5, -0.75", "1, 0.5, -0.75", "1, 0.5, 0.75"}));

  // Black, once; then the wheels, each translation running on from the last, outside any push.
  // Steered wheels undo the body's turn and take the steering heading.
  const Calls steered = {"glRotatef(-30, 0, 1, 0)", "glRotatef(32.5, 0, 1, 0)"};
  const std::string spin = "glRotatef(40, 0, 0, 1)";
  Append(want, {"glColor3f(0, 0, 0)", "glTranslatef(-1, -0.75, 0.75)"});
  Append(want, Wheel(steered, spin, "0.025"));
  Append(want, {"glTranslatef(0, 0, -1.5)"});
  Append(want, Wheel(steered, spin, "-0.025"));
  Append(want, {"glTranslatef(2.25, 0, 0)"});
  Append(want, Wheel({}, spin, "-0.025"));
  Append(want, {"glTranslatef(0, 0, 1.5)"});
  Append(want, Wheel({}, spin, "0.025"));
  Append(want, {"glPopMatrix()", "glutSwapBuffers()"});

  ClearCalls();
  Display();
  EXPECT_EQ(RecordedCalls(), want);
}

}  // namespace
