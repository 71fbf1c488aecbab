#include "link/DeviceLink.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "core/Captions.h"
#include "link/FrameChecksum.h"
#include "link/SocketAddress.h"
#include "link/SocketErrorText.h"

namespace orvx {
namespace {

/// A received datagram is read into a buffer of this size; anything longer is cut.
constexpr std::size_t kReceiveBufferBytes = 2048;

}  // namespace

CDeviceLink::CDeviceLink(LinkSettings settings)
    : m_settings(std::move(settings)), m_stopEvent(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

CDeviceLink::~CDeviceLink() {
  Stop();
  if (m_stopEvent >= 0) close(m_stopEvent);
}

bool CDeviceLink::Start(FrameHandler onFrame, ErrorHandler onError) {
  if (m_running.load()) return false;
  if (m_thread.joinable()) m_thread.join();  // a thread that already ended on its own
  // No thread runs: a stop signal left from before must not end the new one.
  DrainStopEvent();
  std::promise<bool> ready;
  std::future<bool> started = ready.get_future();
  m_thread = std::thread(&CDeviceLink::ReceiveThreadProc, this, std::move(onFrame), std::move(onError), &ready);
  return started.get();
}

void CDeviceLink::SignalStop() {
  if (m_stopEvent < 0) return;
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = write(m_stopEvent, &one, sizeof one);
}

void CDeviceLink::Stop() {
  if (!m_thread.joinable()) return;
  SignalStop();
  m_thread.join();
}

void CDeviceLink::DrainStopEvent() {
  std::uint64_t value = 0;
  while (m_stopEvent >= 0 && read(m_stopEvent, &value, sizeof value) > 0) {}
}

int CDeviceLink::OpenSocket(int& errorNumber) {
  sockaddr_in local{};
  if (m_stopEvent < 0) {
    errorNumber = EBADF;
    return -1;
  }
  if (!ToSocketAddress(m_settings.localIp, m_settings.localPort, local)) {
    errorNumber = EINVAL;  // not a dotted quad
    return -1;
  }
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_UDP);
  if (fd < 0) {
    errorNumber = errno;
    return -1;
  }
  // No SO_REUSEADDR: for UDP it would let a second listener share the port and silently take
  // part of the traffic; a taken port must fail here and be reported.
  if (bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
    errorNumber = errno;
    close(fd);
    return -1;
  }
  sockaddr_in bound{};
  socklen_t len = sizeof bound;
  if (getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &len) == 0) {
    m_boundPort.store(ntohs(bound.sin_port));
  }
  return fd;
}

void CDeviceLink::CloseSocket(int fd) {
  {
    std::lock_guard lock(m_socketMutex);
    m_socket = -1;
  }
  m_boundPort.store(0);
  close(fd);
}

void CDeviceLink::ReceiveThreadProc(FrameHandler onFrame, ErrorHandler onError, std::promise<bool>* ready) {
  int errorNumber = 0;
  const int fd = OpenSocket(errorNumber);
  if (fd < 0) {
    // Reported before Start returns, so the owner sees the failure and its message together.
    if (onError) {
      onError(captions::kWinsockError.en, captions::kWinsockCaption.en,
              SocketErrorDetail(errorNumber, m_settings.localIp, m_settings.localPort));
    }
    ready->set_value(false);  // `ready` belongs to Start and is gone after this
    return;
  }
  {
    std::lock_guard lock(m_socketMutex);
    m_socket = fd;
  }
  m_assembler.Reset();
  m_running.store(true);
  ready->set_value(true);

  std::array<char, kReceiveBufferBytes> buffer{};
  std::array<pollfd, 2> waits{pollfd{fd, POLLIN, 0}, pollfd{m_stopEvent, POLLIN, 0}};
  for (;;) {
    waits[0].revents = waits[1].revents = 0;
    if (poll(waits.data(), waits.size(), -1) < 0 && errno != EINTR) break;
    if (waits[1].revents != 0) {
      DrainStopEvent();  // auto-reset: the signal is consumed by the thread it ends
      break;
    }
    if (waits[0].revents == 0) continue;  // also read on POLLERR: the read clears the error
    sockaddr_in from{};
    socklen_t fromLen = sizeof from;
    const ssize_t n = recvfrom(fd, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &fromLen);
    if (n <= 0) continue;
    std::array<char, INET_ADDRSTRLEN> fromText{};
    inet_ntop(AF_INET, &from.sin_addr, fromText.data(), fromText.size());
    const std::uint16_t fromPort = ntohs(from.sin_port);
    m_assembler.Feed(std::string_view(buffer.data(), static_cast<std::size_t>(n)), [&](std::string_view frame) {
      if (onFrame) onFrame(ReceivedFrame{std::string(frame), fromText.data(), fromPort});
    });
  }
  CloseSocket(fd);
  m_running.store(false);
}

bool CDeviceLink::SendDatagram(std::string_view bytes, const std::string& ip) {
  return SendDatagramTo(bytes, ip, m_settings.remotePort);
}

bool CDeviceLink::SendDatagramTo(std::string_view bytes, const std::string& ip, std::uint16_t port) {
  sockaddr_in to{};
  if (!ToSocketAddress(ip, port, to)) return false;
  // Held only for the send itself, so the receive thread cannot close the socket underneath it.
  std::lock_guard lock(m_socketMutex);
  if (m_socket < 0) return false;
  const ssize_t n =
      sendto(m_socket, bytes.data(), bytes.size(), MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&to), sizeof to);
  return n >= 0 && static_cast<std::size_t>(n) == bytes.size();
}

}  // namespace orvx
