// Finds a program's window by its title, where other clients have mapped windows of their own
// (Wine maps small helper windows before the program's).
#pragma once

#include <string>

#include "x_session.h"

// The viewable top-level window titled `title` on `display`, waiting up to `seconds`; 0 if none.
WindowId AwaitWindowTitled(const std::string& display, const std::string& title, double seconds);
