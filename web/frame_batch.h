// The frame as one draw call. The program's shapes never change, only its matrices (and which
// shapes it draws, never in practice): each shape is kept in GL buffers the first time, as a
// display list would, and a frame draws them all at once, each vertex with its shape's colour
// and the index of its shape's modelview matrix, which are all that a frame uploads, and only
// when they changed.
#pragma once

#include <vector>

// Keeps a shape given by its vertices (x, y, z) and triangles (three indices each); returns
// its number.
int KeepShape(std::vector<float> vertices, std::vector<unsigned short> triangles);

// Draws the shape, with the current modelview matrix and in this colour, at the frame's end.
void DrawShape(int shape, const float (&colour)[3]);

// Draws what the frame has drawn so far.
void FlushFrame();
