// The input handlers that GLUT calls; each changes the scene state and asks for a redraw.
#pragma once

// Arrow keys: up and down drive along the steering heading, left and right steer.
void Special(int key, int x, int y);

// Mouse buttons and drags: any button turns the view, one degree per pixel, and buttons held
// together make one drag. A press of a button still held, or of another one away from where the
// pointer was last reported, means a release was lost: the drag ends as shown, a new one starts.
void Mouse(int button, int state, int x, int y);
void MotionMouse(int x, int y);

// How many distinct buttons Mouse follows at once, more than hands hold down on any mouse. A
// press of one more while that many are held plays no part: neither it, nor its release, nor
// motion with only it held changes the view.
inline constexpr int kMouseButtonsTracked = 8;
