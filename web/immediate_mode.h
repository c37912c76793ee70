// Immediate-mode polygons as the desktop draws them, on Emscripten's GL emulation.
#pragma once

#include <GL/gl.h>

// glBegin is held back until the first vertex, so that a colour issued between glBegin and
// that vertex becomes the current colour, as on the desktop; the emulation would otherwise
// take it as a vertex attribute and misalign the vertex data.
void WebBegin(GLenum mode);
void WebVertex3f(GLfloat x, GLfloat y, GLfloat z);
void WebEnd();
