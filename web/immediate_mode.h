// The program's immediate-mode drawing, as the desktop draws it, on plain WebGL: every polygon
// becomes a shape kept in GL buffers (frame_batch.h), drawn at the frame's end.
#pragma once

#include <GL/gl.h>
#include <GL/glut.h>

void WebBegin(GLenum mode);
void WebVertex3f(GLfloat x, GLfloat y, GLfloat z);
void WebEnd();
void WebColor3f(GLfloat r, GLfloat g, GLfloat b);
const float (&CurrentColour())[3];

// The page sizes the canvas's drawing buffer (page.js: the shown box times devicePixelRatio,
// from before the WebGL context is made), so the window size the program asks for is not
// applied: resizing the buffer costs about as much as making the context.
void WebInitWindowSize(int width, int height);

// The program sets the same clear colour every frame: WebGL is told only a new one.
void WebClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a);

// What the frame has drawn goes to GL before a clear and before the swap.
void WebClear(GLbitfield mask);
void WebSwapBuffers();
