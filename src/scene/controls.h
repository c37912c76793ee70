// The input handlers that GLUT calls; each changes the scene state and asks for a redraw.
#pragma once

// Arrow keys: up and down drive along the steering heading, left and right steer.
void Special(int key, int x, int y);

// Mouse buttons and drags: any button turns the view, one degree per pixel.
void Mouse(int button, int state, int x, int y);
void MotionMouse(int x, int y);
