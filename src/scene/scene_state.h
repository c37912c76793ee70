// The scene state: everything that changes while the viewer runs.
// The input handlers write it; Display only reads it. All of it starts at zero.
#pragma once

// View orbit, in window pixels, one pixel of drag being one degree.
extern int old_rot_x;  // x of the press that anchors the drag in progress
extern int old_rot_y;  // y of that press
extern int rot_x;      // drag in progress: turns the view about y; 0 outside a drag
extern int rot_y;      // drag in progress: turns the view about x; 0 outside a drag
extern int record_x;   // what all finished drags have added about y
extern int record_y;   // what all finished drags have added about x

// Car pose, in scene units and degrees about +y.
extern float xTran;     // position along world x
extern float zTran;     // position along world z
extern float car_Rot;   // steering heading: where the next move goes
extern float tire_Rot;  // spin of all four wheels about their axles
extern float body_Rot;  // heading of the body; catches up with car_Rot on every move
