#include "device/UpdateSocket.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "link/SocketAddress.h"
#include "link/SocketErrorText.h"

namespace orvx {
namespace {

constexpr int kMaxForeignPerRead = 64;

}  // namespace

std::unique_ptr<CUdpUpdateSocket> CUdpUpdateSocket::Open(const UpdateSocketSettings& settings, std::string& detail) {
  sockaddr_in local{};
  sockaddr_in device{};
  if (!ToSocketAddress(settings.localIp, settings.localPort, local) ||
      !ToSocketAddress(settings.deviceIp, settings.remotePort, device)) {
    detail = SocketErrorDetail(EINVAL, settings.localIp, settings.localPort);
    return nullptr;
  }
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_UDP);
  if (fd < 0) {
    detail = SocketErrorDetail(errno, settings.localIp, settings.localPort);
    return nullptr;
  }
  // No SO_REUSEADDR: a port still held by the link or the search must fail here, not share.
  if (bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
    detail = SocketErrorDetail(errno, settings.localIp, settings.localPort);
    close(fd);
    return nullptr;
  }
  return std::unique_ptr<CUdpUpdateSocket>(new CUdpUpdateSocket(fd, settings));
}

CUdpUpdateSocket::~CUdpUpdateSocket() {
  if (m_fd >= 0) close(m_fd);
}

bool CUdpUpdateSocket::Send(std::string_view bytes) {
  sockaddr_in to{};
  if (!ToSocketAddress(m_settings.deviceIp, m_settings.remotePort, to)) return false;
  const ssize_t n =
      sendto(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&to), sizeof to);
  return n >= 0 && static_cast<std::size_t>(n) == bytes.size();
}

std::optional<std::string> CUdpUpdateSocket::Receive(std::size_t maxBytes) {
  sockaddr_in device{};
  ToSocketAddress(m_settings.deviceIp, m_settings.remotePort, device);
  std::vector<char> buffer(maxBytes);
  // Datagrams from elsewhere are skipped, a bounded number per call: a flood cannot hold the caller.
  for (int skipped = 0; skipped < kMaxForeignPerRead; ++skipped) {
    sockaddr_in from{};
    socklen_t fromLen = sizeof from;
    const ssize_t n = recvfrom(m_fd, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &fromLen);
    if (n < 0) return std::nullopt;  // nothing waiting (or an error: the same to the caller)
    if (from.sin_addr.s_addr != device.sin_addr.s_addr) continue;
    return std::string(buffer.data(), static_cast<std::size_t>(n));
  }
  return std::nullopt;
}

}  // namespace orvx
