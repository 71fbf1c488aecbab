#pragma once
/// IPv4 socket addresses from dotted quads, for every socket of the program.

#include <netinet/in.h>

#include <cstdint>
#include <string>

namespace orvx {

/// Fills `out` with a dotted-quad address and port; false when the text is not a dotted quad
/// (host names are never resolved).
bool ToSocketAddress(const std::string& ip, std::uint16_t port, sockaddr_in& out);

}  // namespace orvx
