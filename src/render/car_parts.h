// The car's drawing steps, each starting in the car frame.
#pragma once

// Body and cabin: flat-coloured faces.
void DrawCarBody();

// The four wheels. Leaves the current matrix moved to the last wheel; the caller's pop discards it.
void DrawWheels();
