// A pseudo-random user at the keyboard and mouse: each call hands the viewer's handlers one
// event, in an order GLUT could deliver (a button is released only while held, motion is
// reported only while some button is held). The same seed gives the same events.
#pragma once

#include <random>

class RandomUser {
 public:
  explicit RandomUser(unsigned seed) : random_(seed) {}

  void NextEvent();

 private:
  int Coordinate();  // mostly inside the 800 x 600 window, sometimes outside it as in a drag

  std::mt19937 random_;
  unsigned buttons_held_ = 0;  // one bit per GLUT button number
};
