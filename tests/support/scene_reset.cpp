#include "scene_reset.h"

#include "scene/scene_state.h"

void ResetSceneState() {
  old_rot_x = old_rot_y = rot_x = rot_y = record_x = record_y = 0;
  xTran = zTran = car_Rot = tire_Rot = body_Rot = 0.0f;
}
