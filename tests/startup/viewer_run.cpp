#include "viewer_run.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace {

// The window can vanish between finding it and asking about it; a failed request then means
// nothing, and Xlib's default handler would end the test.
int IgnoreXError(::Display*, XErrorEvent*) { return 0; }

Window FindCarWindow(::Display* display) {
  Window root_return, parent, *children = nullptr;
  unsigned count = 0;
  Window found = None;
  if (!XQueryTree(display, DefaultRootWindow(display), &root_return, &parent, &children, &count))
    return None;
  for (unsigned i = 0; i < count && found == None; ++i) {
    char* name = nullptr;
    if (XFetchName(display, children[i], &name) && name && std::strcmp(name, "Car") == 0)
      found = children[i];
    if (name) XFree(name);
  }
  if (children) XFree(children);
  return found;
}

WindowPlace PlaceOf(::Display* display, Window window) {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, window, &attributes);
  WindowPlace place;
  Window child;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &place.x, &place.y,
                        &child);
  place.width = attributes.width;
  place.height = attributes.height;
  return place;
}

void RequestClose(::Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
}

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
  for (std::string& arg : argv_strings) argv.push_back(arg.data());
  argv.push_back(nullptr);
  execv(binary.c_str(), argv.data());
  _exit(127);
}

}  // namespace

ViewerOutcome RunViewer(const std::string& binary, const std::vector<std::string>& args,
                        const std::vector<std::string>& env, const std::string& display) {
  XSetErrorHandler(IgnoreXError);
  ::Display* x = display.empty() ? nullptr : XOpenDisplay(display.c_str());
  if (!display.empty() && !x) throw std::runtime_error("cannot watch display " + display);

  char error_file[] = "/tmp/car-startup-XXXXXX";
  close(mkstemp(error_file));
  const pid_t pid = Start(binary, args, env, error_file);

  ViewerOutcome outcome;
  bool ended = false;
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (!ended) {
    ended = waitpid(pid, &outcome.wait_status, WNOHANG) == pid;
    if (!ended && x && !outcome.window_opened) {
      const Window window = FindCarWindow(x);
      if (window != None) {
        outcome.window_opened = true;
        outcome.place = PlaceOf(x, window);
        RequestClose(x, window);
      }
    }
    if (!ended && std::chrono::steady_clock::now() > give_up) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      std::remove(error_file);
      if (x) XCloseDisplay(x);
      throw std::runtime_error("the viewer neither ended nor opened its window");
    }
    if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  // The server destroys the window once it sees the connection go; wait for that, so that the
  // next run finds only its own window.
  while (x && FindCarWindow(x) != None) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  if (x) XCloseDisplay(x);

  std::ostringstream text;
  text << std::ifstream(error_file).rdbuf();
  outcome.error_output = text.str();
  std::remove(error_file);
  return outcome;
}
