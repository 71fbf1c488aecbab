#pragma once
/// Where senders put their datagrams: the real link, or a recorder in tests.

#include <string>
#include <string_view>

namespace orvx {

class IDatagramSink {
public:
  virtual ~IDatagramSink() = default;
  /// Sends one datagram to ip (dotted quad) at the sink's remote port. True when all bytes went out.
  virtual bool SendDatagram(std::string_view bytes, const std::string& ip) = 0;
};

}  // namespace orvx
