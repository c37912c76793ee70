// What the soak asks of the leak sanitizer, when built with it.
#pragma once

// Runs the leak check now, while Mesa's driver is loaded: the usual check at exit runs after GLUT
// has closed the display and unloaded the driver, and could no longer name the driver's frames
// to match the suppressions. True if it found a leak (and reported it).
bool LeaksFound();
