#include "link/SocketAddress.h"

#include <arpa/inet.h>

namespace orvx {

bool ToSocketAddress(const std::string& ip, std::uint16_t port, sockaddr_in& out) {
  out = {};
  out.sin_family = AF_INET;
  out.sin_port = htons(port);
  return inet_pton(AF_INET, ip.c_str(), &out.sin_addr) == 1;
}

}  // namespace orvx
