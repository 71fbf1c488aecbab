#include "link/SocketErrorText.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace orvx {
namespace {

TEST(SocketErrorText, DetailNamesTheReason) {
  struct Case {
    int errorNumber;
    const char* ip;
    std::uint16_t port;
    const char* expected;
  } cases[] = {
      {EADDRINUSE, "127.0.0.1", 39030,
       "Port 39030 on 127.0.0.1 is already in use by another program (a second editor or orvxctl monitor?)."},
      {EADDRINUSE, "0.0.0.0", 40000,
       "Port 40000 on 0.0.0.0 is already in use by another program (a second editor or orvxctl monitor?)."},
      {EACCES, "0.0.0.0", 80, "Port 80 on 0.0.0.0 cannot be opened: Permission denied."},
      {EADDRNOTAVAIL, "10.9.9.9", 39030, "Port 39030 on 10.9.9.9 cannot be opened: Cannot assign requested address."},
  };
  for (const Case& c : cases) EXPECT_EQ(SocketErrorDetail(c.errorNumber, c.ip, c.port), c.expected);
}

TEST(SocketErrorText, BoxTextPutsTheDetailBelowTheCaptionText) {
  EXPECT_EQ(TextWithDetail("Winsock error!", "Port 1 on 127.0.0.1 is already in use."),
            "Winsock error!\n\nPort 1 on 127.0.0.1 is already in use.");
  EXPECT_EQ(TextWithDetail("Winsock error!", ""), "Winsock error!");
}

}  // namespace
}  // namespace orvx
