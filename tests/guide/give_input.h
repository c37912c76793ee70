// The input of a picture of the guide, given to the program's own handlers.
#pragma once

#include <vector>

#include "input.h"

// A drag with the first button from the middle of an 800 x 600 window, as the user makes it,
// and each arrow key pressed.
void GiveInput(const std::vector<Input>& input);
