#include "scene/orbit.h"

#include <climits>

int OrbitPixels(long long pixels) {
  if (pixels < INT_MIN || pixels > INT_MAX) return static_cast<int>(pixels % 360);
  return static_cast<int>(pixels);
}

float OrbitAngle(int offset, int total) {
  long long degrees = static_cast<long long>(offset) + total;
  // A float holds every integer up to 2^24 exactly; beyond that only the angle modulo 360
  // matters, and reducing first keeps it exact.
  const long long exact_limit = 1LL << 24;
  if (degrees > exact_limit || degrees < -exact_limit) degrees %= 360;
  return static_cast<float>(degrees);
}
