#include "car_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>

CarProcess::CarProcess(const std::string& binary, const std::vector<std::string>& args,
                       const std::vector<std::string>& env, const std::string& error_file) {
  std::vector<std::string> argv_strings = {binary};
  argv_strings.insert(argv_strings.end(), args.begin(), args.end());
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ > 0) return;

  for (const std::string& change : env) {
    const auto equals = change.find('=');
    if (equals == std::string::npos)
      unsetenv(change.c_str());
    else
      setenv(change.substr(0, equals).c_str(), change.substr(equals + 1).c_str(), 1);
  }
  // In a sanitizer build, leak checking at exit would turn status 0 into 1: GLUT's exit closes
  // the display, which unloads Mesa's driver first, so what the driver keeps is reported from an
  // unknown module that no suppression can name. The viewer's own code allocates nothing on the
  // heap, and the in-process tests check it for leaks with the driver still loaded.
  const char* asan = std::getenv("ASAN_OPTIONS");
  setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
  if (!error_file.empty() && !std::freopen(error_file.c_str(), "w", stderr)) _exit(126);
  std::vector<char*> argv;
  argv.reserve(argv_strings.size() + 1);
  for (std::string& arg : argv_strings) argv.push_back(arg.data());
  argv.push_back(nullptr);
  execv(binary.c_str(), argv.data());
  _exit(127);
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
