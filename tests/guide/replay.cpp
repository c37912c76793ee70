#include "replay.h"

#include <GL/glut.h>

#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>

namespace {

using Args = std::vector<std::string>;

GLfloat F(const std::string& text) { return std::stof(text); }
GLdouble D(const std::string& text) { return std::stod(text); }
GLint I(const std::string& text) { return std::stoi(text); }

GLenum Enum(const std::string& text) {
  static const std::map<std::string, GLenum> kEnums = {
      {"GL_POLYGON", GL_POLYGON},
      {"GL_PROJECTION", GL_PROJECTION},
      {"GL_MODELVIEW", GL_MODELVIEW},
      {"GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT", GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}};
  const auto found = kEnums.find(text);
  return found != kEnums.end() ? found->second : static_cast<GLenum>(std::stoul(text));
}

// Every call the recording layer writes down, sent on to GL or GLUT.
const std::map<std::string, std::function<void(const Args&)>> kReplay = {
    {"glBegin", [](const Args& a) { glBegin(Enum(a[0])); }},
    {"glEnd", [](const Args&) { glEnd(); }},
    {"glVertex3f", [](const Args& a) { glVertex3f(F(a[0]), F(a[1]), F(a[2])); }},
    {"glColor3f", [](const Args& a) { glColor3f(F(a[0]), F(a[1]), F(a[2])); }},
    {"glRotatef", [](const Args& a) { glRotatef(F(a[0]), F(a[1]), F(a[2]), F(a[3])); }},
    {"glTranslatef", [](const Args& a) { glTranslatef(F(a[0]), F(a[1]), F(a[2])); }},
    {"glPushMatrix", [](const Args&) { glPushMatrix(); }},
    {"glPopMatrix", [](const Args&) { glPopMatrix(); }},
    {"glMatrixMode", [](const Args& a) { glMatrixMode(Enum(a[0])); }},
    {"glLoadIdentity", [](const Args&) { glLoadIdentity(); }},
    {"glClearColor", [](const Args& a) { glClearColor(F(a[0]), F(a[1]), F(a[2]), F(a[3])); }},
    {"glClear", [](const Args& a) { glClear(Enum(a[0])); }},
    {"glViewport", [](const Args& a) { glViewport(I(a[0]), I(a[1]), I(a[2]), I(a[3])); }},
    {"glOrtho",
     [](const Args& a) { glOrtho(D(a[0]), D(a[1]), D(a[2]), D(a[3]), D(a[4]), D(a[5])); }},
    {"glutSolidTorus", [](const Args& a) { glutSolidTorus(D(a[0]), D(a[1]), I(a[2]), I(a[3])); }},
    {"glutSwapBuffers", [](const Args&) {}},
    {"glutPostRedisplay", [](const Args&) {}},
};

Call ParseCall(const std::string& line) {
  const std::size_t open = line.find('(');
  if (open == std::string::npos || line.back() != ')')
    throw std::runtime_error("not a call: " + line);
  Call call{line.substr(0, open), {}};
  const std::string inside = line.substr(open + 1, line.size() - open - 2);
  std::size_t start = 0;
  while (start < inside.size()) {
    std::size_t comma = inside.find(", ", start);
    if (comma == std::string::npos) comma = inside.size();
    call.args.push_back(inside.substr(start, comma - start));
    start = comma + 2;
  }
  if (kReplay.count(call.name) == 0) throw std::runtime_error("cannot replay: " + line);
  return call;
}

}  // namespace

Calls ParseCalls(const std::string& text) {
  Calls calls;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line))
    if (!line.empty()) calls.push_back(ParseCall(line));
  return calls;
}

void Replay(const Calls& calls, std::size_t begin, std::size_t end) {
  for (std::size_t i = begin; i < end; ++i) kReplay.at(calls[i].name)(calls[i].args);
}

std::size_t FindCall(const Calls& calls, const std::string& name, int count, std::size_t from) {
  for (std::size_t i = from; i < calls.size(); ++i)
    if (calls[i].name == name && --count == 0) return i;
  throw std::runtime_error("the frame has fewer calls of " + name + " than the pictures expect");
}
