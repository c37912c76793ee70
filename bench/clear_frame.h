// The baseline frame: clears the buffers the viewer clears and swaps, drawing nothing.
#pragma once

void ClearFrame();
