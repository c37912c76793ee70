// The display callback: draws one whole frame from the scene state.
#pragma once

void Display();
