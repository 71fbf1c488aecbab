#pragma once
/// Test doubles for the device search: a pacer that records from any thread, a tiny processor that
/// answers the search probe on loopback, and a bounded wait for what other threads do.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/FrameChecksum.h"
#include "link/Pacer.h"

namespace orvx::test {

/// Records every pause instead of sleeping; `onPause` runs on the pausing thread after recording.
class ThreadSafePacer final : public IPacer {
public:
  void Pause(int ms) override {
    std::function<void(int)> hook;
    int count = 0;
    {
      std::lock_guard lock(m_mutex);
      m_pauses.push_back(ms);
      count = static_cast<int>(m_pauses.size());
      hook = onPause;
    }
    if (hook) hook(count);
  }
  std::vector<int> Pauses() const {
    std::lock_guard lock(m_mutex);
    return m_pauses;
  }
  std::function<void(int count)> onPause;  ///< set before the search starts

private:
  mutable std::mutex m_mutex;
  std::vector<int> m_pauses;
};

/// Polls `done` every millisecond for at most `limit`; true as soon as it holds.
inline bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

/// A UDP socket bound on ip:port, or -1.
inline int BindUdp(const std::string& ip, std::uint16_t port) {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  inet_pton(AF_INET, ip.c_str(), &a.sin_addr);
  if (fd >= 0 && bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

/// True when a datagram waits on the socket (checked without waiting).
inline bool HasPendingDatagram(int fd) {
  char byte = 0;
  return recv(fd, &byte, 1, MSG_DONTWAIT | MSG_PEEK) >= 0;
}

/// Answers every "%R" probe the way a processor does: "%R,01,<status>," plus checksum, sent to the
/// prober's address on the fixed reply port, whatever port the probe came from.
class FakeProcessor {
public:
  FakeProcessor(const std::string& ip, std::uint16_t replyPort, const std::string& status = "00")
      : m_fd(BindUdp(ip, 39030)), m_replyPort(replyPort), m_answer(CompleteFrame("%R,01," + status + ",")) {
    if (m_fd >= 0) m_thread = std::thread([this] { Run(); });
  }
  ~FakeProcessor() {
    m_stop.store(true);
    if (m_thread.joinable()) m_thread.join();
    if (m_fd >= 0) close(m_fd);
  }
  bool Bound() const { return m_fd >= 0; }
  int ProbesReceived() const { return m_probes.load(); }
  int AnswersSent() const { return m_answers.load(); }

private:
  void Run() {
    char buf[256];
    while (!m_stop.load()) {
      pollfd p{m_fd, POLLIN, 0};
      if (poll(&p, 1, 10) <= 0) continue;  // wakes every 10 ms to see the stop flag
      sockaddr_in from{};
      socklen_t len = sizeof from;
      const ssize_t n = recvfrom(m_fd, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &len);
      if (n <= 0 || std::string(buf, static_cast<std::size_t>(n)) != "%R,01,00,30A0#") continue;
      m_probes.fetch_add(1);
      from.sin_port = htons(m_replyPort);
      if (sendto(m_fd, m_answer.data(), m_answer.size(), 0, reinterpret_cast<const sockaddr*>(&from), sizeof from) ==
          static_cast<ssize_t>(m_answer.size())) {
        m_answers.fetch_add(1);
      }
    }
  }

  int m_fd;
  std::uint16_t m_replyPort;
  std::string m_answer;
  std::atomic<bool> m_stop{false};
  std::atomic<int> m_probes{0};
  std::atomic<int> m_answers{0};
  std::thread m_thread;
};

}  // namespace orvx::test
