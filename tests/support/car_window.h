// A real GLUT window set up as the viewer sets up its own, for tests that render.
#pragma once

#include "picture.h"

// Opens the 800 x 600 "Car" window with the viewer's pixel format and one-time GL state.
// Call once per process, with DISPLAY pointing at a running X server.
void OpenCarWindow();

// Draws one frame with Display and reads back what it put on screen.
Picture DrawFrame();

// A rectangle of the back buffer, (x, y) its lower-left corner as GL counts; row 0 at the top.
Picture ReadBackBuffer(int x, int y, int width, int height);
