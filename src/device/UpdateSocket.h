#pragma once
/// The firmware update's own UDP socket. It binds the port of the main link and the device search
/// (39030 at both ends), so both of them are stopped before it is opened, and it is closed before
/// either starts again.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orvx {

class IUpdateSocket {
public:
  virtual ~IUpdateSocket() = default;
  /// Sends one datagram to the processor; true when all of it went.
  virtual bool Send(std::string_view bytes) = 0;
  /// One waiting datagram from the processor, at most `maxBytes` of it (the rest of a longer one is
  /// lost, as with any datagram read into a smaller buffer); nothing when none waits. Never blocks.
  virtual std::optional<std::string> Receive(std::size_t maxBytes) = 0;
};

struct UpdateSocketSettings {
  std::string localIp = "0.0.0.0";
  std::uint16_t localPort = 39030;
  std::string deviceIp;
  std::uint16_t remotePort = 39030;
};

class CUdpUpdateSocket final : public IUpdateSocket {
public:
  /// Binds the socket; nothing (with `detail` saying why) when it cannot be set up.
  static std::unique_ptr<CUdpUpdateSocket> Open(const UpdateSocketSettings& settings, std::string& detail);
  ~CUdpUpdateSocket() override;

  CUdpUpdateSocket(const CUdpUpdateSocket&) = delete;
  CUdpUpdateSocket& operator=(const CUdpUpdateSocket&) = delete;

  bool Send(std::string_view bytes) override;
  /// Datagrams from any address but the processor's are read and dropped.
  std::optional<std::string> Receive(std::size_t maxBytes) override;

private:
  CUdpUpdateSocket(int fd, UpdateSocketSettings settings) : m_fd(fd), m_settings(std::move(settings)) {}

  int m_fd = -1;
  UpdateSocketSettings m_settings;
};

}  // namespace orvx
