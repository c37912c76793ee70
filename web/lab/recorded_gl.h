// The lab's stand-ins for the calls the program makes as it opens its window and in its
// window-size and display callbacks: each is written down as the program made it, then served
// by the web layer or GL. The lab's panel lists what the program called before its main loop,
// and what the last of each callback called.
#pragma once

#include <GL/gl.h>
#include <GL/glut.h>

void LabBegin(GLenum mode);
void LabEnd();
void LabVertex3f(GLfloat x, GLfloat y, GLfloat z);
void LabColor3f(GLfloat r, GLfloat g, GLfloat b);
void LabRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void LabTranslatef(GLfloat x, GLfloat y, GLfloat z);
void LabScalef(GLfloat x, GLfloat y, GLfloat z);
void LabPushMatrix();
void LabPopMatrix();
void LabMatrixMode(GLenum mode);
void LabLoadIdentity();
void LabClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a);
void LabClear(GLbitfield mask);
void LabViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void LabOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near,
              GLdouble far);
void LabSolidTorus(GLdouble inner_radius, GLdouble outer_radius, GLint sides, GLint rings);
void LabSwapBuffers();
void LabInitWindowSize(int width, int height);
void LabInitDisplayMode(unsigned int mode);
int LabCreateWindow(const char* title);
void LabEnable(GLenum capability);
void LabMainLoop();

// The callbacks are wrapped, so that what each one calls is kept apart.
void LabReshapeFunc(void (*reshape)(int width, int height));
void LabDisplayFunc(void (*display)());
