// A recording stand-in for the GL and GLUT calls the viewer makes. Linked into a test,
// its definitions take the place of the real libraries', so each call is written down as
// text, e.g. "glVertex3f(-2, 0, -0.75)", and nothing is drawn.
#pragma once

#include <string>
#include <vector>

// Every call recorded since the last ClearCalls, in order.
const std::vector<std::string>& RecordedCalls();
void ClearCalls();
