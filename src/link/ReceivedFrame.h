#pragma once
/// One valid frame as the receive thread hands it to its owner, with the address it came from.

#include <cstdint>
#include <string>

namespace orvx {

struct ReceivedFrame {
  std::string text;    ///< the complete frame, "%" through "#"
  std::string fromIp;  ///< sender's dotted-quad address
  std::uint16_t fromPort = 0;
};

}  // namespace orvx
