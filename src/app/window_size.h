// The reshape callback: viewport and the one projection the viewer uses.
#pragma once

void WindowSize(int width, int height);
