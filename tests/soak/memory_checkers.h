// What the soak asks of the memory checkers: the address and leak sanitizers when built with
// them, and valgrind when run under it.
#pragma once

// Runs the leak check now, while Mesa's driver is loaded: the usual check at exit runs after GLUT
// has closed the display and unloaded the driver, and could no longer name the driver's frames
// to match the suppressions. True if it found a leak (and reported it).
bool LeaksFound();

// True when running under valgrind.
bool UnderValgrind();
