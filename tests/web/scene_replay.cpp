// Replays on the handlers built for the host the calls that the page's handlers received in a
// browser (storm.test.mjs records them): starts from the scene numbers given as arguments, the
// eleven of the page's StoreSceneState in scene_state.h's order, delivers the events read from
// stdin (event_stream.h's bytes), then prints the scene numbers, one a line, exactly.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "event_stream.h"
#include "scene/scene_state.h"

int main(int argc, char** argv) {
  constexpr int kNumbers = 11;
  if (argc != kNumbers + 1) {
    std::fprintf(stderr,
                 "usage: %s OLD_ROT_X OLD_ROT_Y ROT_X ROT_Y RECORD_X RECORD_Y XTRAN ZTRAN "
                 "CAR_ROT TIRE_ROT BODY_ROT < EVENTS\n",
                 argv[0]);
    return 2;
  }
  double start[kNumbers];
  for (int i = 0; i < kNumbers; ++i) start[i] = std::strtod(argv[i + 1], nullptr);
  old_rot_x = int(start[0]);
  old_rot_y = int(start[1]);
  rot_x = int(start[2]);
  rot_y = int(start[3]);
  record_x = int(start[4]);
  record_y = int(start[5]);
  xTran = float(start[6]);
  zTran = float(start[7]);
  car_Rot = float(start[8]);
  tire_Rot = float(start[9]);
  body_Rot = float(start[10]);

  std::vector<std::uint8_t> bytes;
  for (int c; (c = std::getchar()) != EOF;) bytes.push_back(static_cast<std::uint8_t>(c));
  EventStream events(bytes.data(), bytes.size());
  for (Event event; events.Next(event);) Deliver(event);

  const double end[] = {double(old_rot_x), double(old_rot_y), double(rot_x), double(rot_y),
                        double(record_x),  double(record_y),  xTran,         zTran,
                        car_Rot,           tire_Rot,          body_Rot};
  for (const double number : end) std::printf("%.17g\n", number);
  return 0;
}
