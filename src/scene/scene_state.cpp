#include "scene/scene_state.h"

int old_rot_x = 0;
int old_rot_y = 0;
int rot_x = 0;
int rot_y = 0;
int record_x = 0;
int record_y = 0;

float xTran = 0.0f;
float zTran = 0.0f;
float car_Rot = 0.0f;
float tire_Rot = 0.0f;
float body_Rot = 0.0f;
