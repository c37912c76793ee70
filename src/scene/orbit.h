// Orbit angles kept exact modulo 360 for any pointer coordinates.
#pragma once

// Stores a pixel count in an int: unchanged when it fits, else reduced modulo 360,
// which leaves the view it stands for the same.
int OrbitPixels(long long pixels);

// The angle in degrees to turn the view by: the drag in progress plus the total so far.
float OrbitAngle(int offset, int total);
