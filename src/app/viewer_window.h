// The viewer's one window: its size, pixel format, title and the GL state that never changes.
#pragma once

// Opens the window and makes its context current. GLUT must be initialised first.
void OpenViewerWindow();
