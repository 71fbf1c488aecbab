#pragma once
/// A tiny HTTP/1.0 server on 127.0.0.1 (an ephemeral port) for the remote update's tests: each
/// path answers with a status and a body, and may announce a longer body than it sends (a transfer
/// cut off). One connection at a time; the thread ends when the server is destroyed.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orvx::test {

class TinyHttpServer {
public:
  struct Reply {
    int status = 200;
    std::string body;
    std::size_t announced = 0;  ///< Content-Length; 0: the body's own length
  };

  TinyHttpServer() {
    m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    if (m_fd < 0 || bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(m_fd, 8) != 0) return;
    socklen_t len = sizeof a;
    getsockname(m_fd, reinterpret_cast<sockaddr*>(&a), &len);
    m_port = ntohs(a.sin_port);
    m_thread = std::thread([this] { Serve(); });
  }
  ~TinyHttpServer() {
    m_stop.store(true);
    if (m_thread.joinable()) m_thread.join();
    if (m_fd >= 0) close(m_fd);
  }

  void Set(const std::string& path, Reply reply) {
    std::lock_guard lock(m_mutex);
    m_replies[path] = std::move(reply);
  }
  std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(m_port) + path; }
  std::uint16_t Port() const { return m_port; }
  /// The request lines received, in order.
  std::vector<std::string> Requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
  }

private:
  void Serve() {
    while (!m_stop.load()) {
      pollfd p{m_fd, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0) continue;
      const int c = accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
      if (c < 0) continue;
      Answer(c);
      close(c);
    }
  }

  void Answer(int c) {
    std::string request;
    char buf[1024];
    // Read the head (bounded): the request line is all that matters.
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 16384) {
      pollfd p{c, POLLIN, 0};
      if (poll(&p, 1, 2000) <= 0) return;
      const ssize_t n = recv(c, buf, sizeof buf, 0);
      if (n <= 0) return;
      request.append(buf, static_cast<std::size_t>(n));
    }
    const std::string line = request.substr(0, request.find("\r\n"));
    const std::size_t from = line.find(' ') + 1;
    const std::string path = line.substr(from, line.find(' ', from) - from);
    Reply reply{404, "not here", 0};
    {
      std::lock_guard lock(m_mutex);
      m_requests.push_back(line + "|" + request);
      if (auto it = m_replies.find(path); it != m_replies.end()) reply = it->second;
    }
    const std::size_t length = reply.announced ? reply.announced : reply.body.size();
    const std::string head = "HTTP/1.0 " + std::to_string(reply.status) + " X\r\nContent-Length: " +
                             std::to_string(length) + "\r\nConnection: close\r\n\r\n";
    const std::string all = head + reply.body;
    send(c, all.data(), all.size(), MSG_NOSIGNAL);
  }

  int m_fd = -1;
  std::uint16_t m_port = 0;
  std::atomic<bool> m_stop{false};
  std::thread m_thread;
  mutable std::mutex m_mutex;
  std::map<std::string, Reply> m_replies;
  std::vector<std::string> m_requests;
};

}  // namespace orvx::test
