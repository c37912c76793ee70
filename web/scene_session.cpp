// The scene state as numbers the page can keep in session storage and give back after a
// reload (page.js does so when the browser takes the WebGL context away). Every int and float
// of the state is exactly a double; the order is scene_state.h's.
#include "scene/scene_state.h"

namespace {
double stored[11];
}

extern "C" {

// Where StoreSceneState writes and LoadSceneState reads: eleven doubles.
double* SceneStateNumbers() { return stored; }

void StoreSceneState() {
  const double numbers[] = {
      double(old_rot_x), double(old_rot_y), double(rot_x), double(rot_y),
      double(record_x),  double(record_y),  xTran,         zTran,
      car_Rot,           tire_Rot,          body_Rot,
  };
  static_assert(sizeof numbers == sizeof stored);
  for (int i = 0; i < 11; ++i) stored[i] = numbers[i];
}

void LoadSceneState() {
  old_rot_x = int(stored[0]);
  old_rot_y = int(stored[1]);
  rot_x = int(stored[2]);
  rot_y = int(stored[3]);
  record_x = int(stored[4]);
  record_y = int(stored[5]);
  xTran = float(stored[6]);
  zTran = float(stored[7]);
  car_Rot = float(stored[8]);
  tire_Rot = float(stored[9]);
  body_Rot = float(stored[10]);
}
}
