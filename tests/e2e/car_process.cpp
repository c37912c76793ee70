#include "car_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

CarProcess::CarProcess(const std::string& binary, const std::string& display) {
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    setenv("DISPLAY", display.c_str(), 1);
    // In a sanitizer build, leak checking at exit would turn status 0 into 1: Mesa unloads its
    // driver first, so what the driver keeps is reported from an unknown module, which no
    // suppression can name. The viewer's own code allocates nothing on the heap.
    const char* asan = std::getenv("ASAN_OPTIONS");
    setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
    execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
}

CarProcess::~CarProcess() {
  if (Reaped()) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
}

bool CarProcess::Reaped() {
  if (!ended_ && waitpid(pid_, &wait_status_, WNOHANG) == pid_) ended_ = true;
  return ended_;
}

bool CarProcess::Running() { return !Reaped(); }

std::optional<int> CarProcess::AwaitExit(double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!Reaped() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (ended_ && WIFEXITED(wait_status_)) return WEXITSTATUS(wait_status_);
  return std::nullopt;
}
