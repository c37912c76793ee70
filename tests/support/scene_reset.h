// Puts every scene-state variable back to its start value of zero, between test cases.
#pragma once

void ResetSceneState();
