// Car: a toy car on four wheels, drawn in flat colours.
//
// Keys:  Up / Down     drive forward / back along the steering heading
//        Left / Right  steer; the body follows on the next move
// Mouse: drag with any button to turn the whole scene, one degree per pixel.
// Close the window to quit.
#include <GL/glut.h>

#include "app/viewer_window.h"
#include "app/window_size.h"
#include "render/display.h"
#include "scene/controls.h"

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  OpenViewerWindow();

  glutReshapeFunc(WindowSize);
  glutMouseFunc(Mouse);
  glutMotionFunc(MotionMouse);
  glutDisplayFunc(Display);
  glutSpecialFunc(Special);

  glutMainLoop();
  return 0;
}
