// The real viewer binary, run as a child process, as a user would start it.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

class CarProcess {
 public:
  // Starts `binary` with `args`, after applying `env` to its environment ("NAME=value" sets,
  // "NAME" unsets). What it writes to stderr goes to `error_file` where one is named.
  CarProcess(const std::string& binary, const std::vector<std::string>& args,
             const std::vector<std::string>& env, const std::string& error_file = "");
  // Ends the program with SIGKILL if it is still running.
  ~CarProcess();
  CarProcess(const CarProcess&) = delete;
  CarProcess& operator=(const CarProcess&) = delete;

  bool Running();

  // The exit status once the program has ended by itself within `seconds`; nothing if it is
  // still running then, or was ended by a signal.
  std::optional<int> AwaitExit(double seconds);

  // How the program ended, as waitpid reports it; valid once Running() is false.
  int WaitStatus() const { return wait_status_; }

 private:
  // Reaps the child if it has ended; true once it has.
  bool Reaped();

  pid_t pid_ = -1;
  int wait_status_ = 0;
  bool ended_ = false;
};
