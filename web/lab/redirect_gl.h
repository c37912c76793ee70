// Force-included into every source of a lab program: routes the program's calls through the
// recording stand-ins of recorded_gl.h, which pass them on to the web layer, as the page's own
// build (../redirect_gl.h) routes them there directly.
#pragma once

#include "recorded_gl.h"

#define glBegin LabBegin
#define glEnd LabEnd
#define glVertex3f LabVertex3f
#define glColor3f LabColor3f
#define glRotatef LabRotatef
#define glTranslatef LabTranslatef
#define glScalef LabScalef
#define glPushMatrix LabPushMatrix
#define glPopMatrix LabPopMatrix
#define glMatrixMode LabMatrixMode
#define glLoadIdentity LabLoadIdentity
#define glClearColor LabClearColor
#define glClear LabClear
#define glViewport LabViewport
#define glOrtho LabOrtho
#define glutSolidTorus LabSolidTorus
#define glutSwapBuffers LabSwapBuffers
#define glutReshapeFunc LabReshapeFunc
#define glutDisplayFunc LabDisplayFunc
#define glutInitWindowSize LabInitWindowSize
#define glutInitDisplayMode LabInitDisplayMode
#define glutCreateWindow LabCreateWindow
#define glEnable LabEnable
#define glutMainLoop LabMainLoop
