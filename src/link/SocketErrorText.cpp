#include "link/SocketErrorText.h"

#include <cerrno>
#include <cstring>

namespace orvx {

std::string SocketErrorDetail(int errorNumber, const std::string& ip, std::uint16_t port) {
  const std::string where = "Port " + std::to_string(port) + " on " + ip;
  if (errorNumber == EADDRINUSE)
    return where + " " + captions::kPortHeldElsewhere.en + ".";
  // The GNU strerror_r: thread-safe, and it returns the text (not always in `buffer`).
  char buffer[128];
  const char* reason = strerror_r(errorNumber, buffer, sizeof buffer);
  return where + " cannot be opened: " + reason + ".";
}

std::string TextWithDetail(const std::string& text, const std::string& detail) {
  return detail.empty() ? text : text + "\n\n" + detail;
}

}  // namespace orvx
