// Force-included into every source of the browser build that links web_gl: routes the
// fixed-function calls (matrices, immediate mode, the clear colour, the frame's clear and swap,
// the window's size) through the web layer, which draws on plain WebGL. The GL and GLUT headers
// come first, so that the names below change only the program's calls.
#pragma once

#include <GL/gl.h>
#include <GL/glut.h>

#include "immediate_mode.h"
#include "matrix_stack.h"

#define glBegin WebBegin
#define glVertex3f WebVertex3f
#define glEnd WebEnd
#define glColor3f WebColor3f
#define glClearColor WebClearColor
#define glClear WebClear
#define glutSwapBuffers WebSwapBuffers
#define glutInitWindowSize WebInitWindowSize
#define glMatrixMode WebMatrixMode
#define glLoadIdentity WebLoadIdentity
#define glOrtho WebOrtho
#define glTranslatef WebTranslatef
#define glRotatef WebRotatef
#define glScalef WebScalef
#define glPushMatrix WebPushMatrix
#define glPopMatrix WebPopMatrix
