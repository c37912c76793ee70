// The real viewer binary, run as a child process on a given X display.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

class CarProcess {
 public:
  CarProcess(const std::string& binary, const std::string& display);
  // Ends the program with SIGKILL if it is still running.
  ~CarProcess();
  CarProcess(const CarProcess&) = delete;
  CarProcess& operator=(const CarProcess&) = delete;

  bool Running();

  // The exit status once the program has ended by itself within `seconds`; nothing if it is
  // still running then, or was ended by a signal.
  std::optional<int> AwaitExit(double seconds);

 private:
  // Reaps the child if it has ended; true once it has.
  bool Reaped();

  pid_t pid_ = -1;
  int wait_status_ = 0;
  bool ended_ = false;
};
