#include "viewer_run.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "x_session.h"

namespace {

pid_t Start(const std::string& binary, const std::vector<std::string>& args,
            const std::vector<std::string>& env, const std::string& error_file) {
  std::vector<std::string> argv_strings = {binary};
  argv_strings.insert(argv_strings.end(), args.begin(), args.end());
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid > 0) return pid;

  for (const std::string& change : env) {
    const auto equals = change.find('=');
    if (equals == std::string::npos)
      unsetenv(change.c_str());
    else
      setenv(change.substr(0, equals).c_str(), change.substr(equals + 1).c_str(), 1);
  }
  // In the sanitizer build: GLUT's exit closes the display, which unloads Mesa's driver before
  // the leak check runs, and the driver's leaks can then no longer be told from ours. The soak
  // checks our code for leaks with the driver still loaded; here only crashes matter.
  setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
  if (!std::freopen(error_file.c_str(), "w", stderr)) _exit(126);
  std::vector<char*> argv;
  argv.reserve(argv_strings.size() + 1);
  for (std::string& arg : argv_strings) argv.push_back(arg.data());
  argv.push_back(nullptr);
  execv(binary.c_str(), argv.data());
  _exit(127);
}

}  // namespace

ViewerOutcome RunViewer(const std::string& binary, const std::vector<std::string>& args,
                        const std::vector<std::string>& env, const std::string& display) {
  // The watched display shows nothing but the viewer's window, so any window there is its.
  const auto x = display.empty() ? nullptr : std::make_unique<XSession>(display);

  char error_file[] = "/tmp/car-startup-XXXXXX";
  close(mkstemp(error_file));
  const pid_t pid = Start(binary, args, env, error_file);

  ViewerOutcome outcome;
  bool ended = false;
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (!ended) {
    ended = waitpid(pid, &outcome.wait_status, WNOHANG) == pid;
    if (!ended && x && !outcome.window_opened) {
      const WindowId window = x->AwaitMappedWindow(0);
      if (window != 0 && x->Title(window) == "Car") {
        outcome.window_opened = true;
        outcome.place = x->GeometryOf(window);
        x->RequestClose(window);
      }
    }
    if (!ended && std::chrono::steady_clock::now() > give_up) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      std::remove(error_file);
      throw std::runtime_error("the viewer neither ended nor opened its window");
    }
    if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  // The server destroys the window once it sees the connection go; wait for that, so that the
  // next run finds only its own window.
  while (x && x->AwaitMappedWindow(0) != 0)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));

  std::ostringstream text;
  text << std::ifstream(error_file).rdbuf();
  outcome.error_output = text.str();
  std::remove(error_file);
  return outcome;
}
