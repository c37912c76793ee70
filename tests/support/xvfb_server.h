// A private virtual X display for tests that draw: started on a free display number,
// stopped when the object goes.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class XvfbServer {
 public:
  // Extra arguments go to Xvfb after the screen setup (e.g. {"-ardelay", "60000"}).
  explicit XvfbServer(const std::vector<std::string>& extra_args = {});
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // ":N", ready to go into DISPLAY.
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};
