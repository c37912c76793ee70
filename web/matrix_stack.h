// The fixed-function matrices, kept here rather than in a GL emulation: the program's matrix
// calls reach these through redirect_gl.h.
#pragma once

#include <GL/gl.h>

#include <array>

using Matrix = std::array<float, 16>;  // column-major, as GL keeps it

void WebMatrixMode(GLenum mode);
void WebLoadIdentity();
void WebOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near,
              GLdouble far);
void WebTranslatef(GLfloat x, GLfloat y, GLfloat z);
void WebRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void WebScalef(GLfloat x, GLfloat y, GLfloat z);
void WebPushMatrix();
void WebPopMatrix();

const Matrix& Modelview();
const Matrix& Projection();
