// The private X servers that the tests start must take every new client, even while other
// clients leave: a viewer connecting just as a short-lived probe ends must still get its display.
#include "xvfb_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

TEST(XvfbServerTest, KeepsNewClientsWhileOthersLeave) {
  XvfbServer server;
  const std::string command =
      "DISPLAY=" + server.display() + " sh " LEAVING_CLIENTS_SCRIPT " >/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0);
}
