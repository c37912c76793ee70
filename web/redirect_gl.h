// Force-included into every source of the browser build that links web_gl: routes the
// immediate-mode calls through the web layer.
#pragma once

#include "immediate_mode.h"

#define glBegin WebBegin
#define glVertex3f WebVertex3f
#define glEnd WebEnd
