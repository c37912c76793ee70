// Prints the scene numbers the program holds after the input of one of the guide's pictures, in
// the order of the page's StoreSceneState, so that the lab can set a pose in one step: the input
// goes through the program's own handlers, as the guide's picture tools give it.
//   lab_pose [drag DX DY] [left|right|up|down COUNT]...
#include <cstdio>

#include "give_input.h"

extern "C" {
void StoreSceneState();
double* SceneStateNumbers();
// Nothing is drawn here.
void glutPostRedisplay() {}
}

int main(int argc, char** argv) {
  GiveInput(ReadInput("lab_pose", argc - 1, argv + 1));
  StoreSceneState();
  const double* scene = SceneStateNumbers();
  for (int i = 0; i < 11; ++i) std::printf("%s%.17g", i ? " " : "", scene[i]);
  std::printf("\n");
  return 0;
}
