#include "xvfb_server.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

XvfbServer::XvfbServer(const std::vector<std::string>& extra_args) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");

  // Xvfb writes the display number it took to the fd given to -displayfd, once it is ready.
  // -noreset: otherwise the server resets whenever its last client leaves and drops any client
  // still connecting, so a viewer connecting just as a short-lived probe ends fails to start.
  std::vector<std::string> args = {"Xvfb",      "-displayfd", std::to_string(fds[1]),
                                   "-screen",   "0",          "1920x1200x24",
                                   "-nolisten", "tcp",        "-noreset"};
  args.insert(args.end(), extra_args.begin(), extra_args.end());

  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    close(fds[0]);
    // Dies with the test, and holds none of its output open, however the test ends.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (std::freopen("/dev/null", "w", stdout) == nullptr) _exit(127);
    if (std::freopen("/dev/null", "w", stderr) == nullptr) _exit(127);
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    execvp("Xvfb", argv.data());
    _exit(127);
  }
  close(fds[1]);

  std::string number;
  char c;
  while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  close(fds[0]);
  if (number.empty()) {
    waitpid(pid_, nullptr, 0);
    throw std::runtime_error("Xvfb did not start (is the xvfb package installed?)");
  }
  display_ = ":" + number;
}

XvfbServer::~XvfbServer() {
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}
