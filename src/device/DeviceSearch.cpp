#include "device/DeviceSearch.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "link/Commands.h"
#include "link/SocketAddress.h"

namespace orvx {
namespace {

/// Answers are a few dozen bytes; anything longer is cut and cannot verify.
constexpr std::size_t kAnswerBufferBytes = 512;

void DrainEvent(int fd) {
  std::uint64_t value = 0;
  while (fd >= 0 && read(fd, &value, sizeof value) > 0) {}
}

}  // namespace

CDeviceSearch::CDeviceSearch(ISubnetProvider& subnets, IPacer& pacer, SearchSettings settings)
    : m_subnets(subnets),
      m_pacer(pacer),
      m_settings(std::move(settings)),
      m_stopEvent(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

CDeviceSearch::~CDeviceSearch() {
  Stop();
  if (m_stopEvent >= 0) close(m_stopEvent);
}

SearchStart CDeviceSearch::Start() {
  Stop();
  m_cancel.store(false);
  m_hostsDone.store(0);
  m_hostsProbed.store(0);
  m_probesSent.store(0);
  m_answers.store(0);

  const HostRange range = ClampedRange(m_settings.hosts);
  m_hostsTotal.store(std::max(range.last - range.first + 1, 0));
  SearchFacts facts;
  facts.firstHost = range.first;
  facts.lastHost = range.last;
  facts.port = m_settings.localPort;

  const std::optional<SearchSubnet> subnet = m_subnets.FindSubnet();
  if (subnet) {
    facts.interfaceName = subnet->interfaceName;
    facts.ownIp = subnet->ownIp;
    facts.prefix = subnet->prefix;
  }
  {
    std::lock_guard lock(m_mutex);
    m_found.clear();
    m_facts = facts;
  }
  if (!subnet) return {false, NoInterfaceReason()};

  sockaddr_in local{};
  if (m_stopEvent < 0 || !ToSocketAddress(m_settings.localIp, m_settings.localPort, local)) {
    return {false,
            {"cannot listen on \"" + m_settings.localIp + "\": not an IPv4 address",
             "无法在 \"" + m_settings.localIp + "\" 上监听：不是 IPv4 地址"}};
  }
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_UDP);
  if (fd < 0)
    return {false,
            {std::string("cannot open a UDP socket: ") + std::strerror(errno),
             std::string("无法创建 UDP 套接字：") + std::strerror(errno)}};
  // No SO_REUSEADDR: sharing the port with the main link would split the processor's answers.
  if (bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
    const int error = errno;
    close(fd);
    if (error == EADDRINUSE) return {false, PortInUseReason(m_settings.localPort)};
    const std::string where = m_settings.localIp + ":" + std::to_string(m_settings.localPort);
    return {false,
            {"cannot listen on " + where + ": " + std::strerror(error),
             "无法在 " + where + " 上监听：" + std::strerror(error)}};
  }
  m_socket = fd;
  DrainEvent(m_stopEvent);  // a stale stop must not end the new listener
  m_assembler.Reset();
  m_lastSender.clear();
  m_listening.store(true);
  m_listener = std::thread(&CDeviceSearch::ListenerThreadProc, this);
  // The listener is bound before the first probe leaves, so no answer can be missed.
  m_probing.store(true);
  m_probe =
      std::thread(&CDeviceSearch::ProbeThreadProc, this, range, ProbeHosts(range, subnet->ownHost), subnet->prefix);
  return {true, {}};
}

void CDeviceSearch::Cancel() { m_cancel.store(true); }

void CDeviceSearch::Stop() {
  m_cancel.store(true);
  if (m_probe.joinable()) m_probe.join();
  if (m_listener.joinable()) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = write(m_stopEvent, &one, sizeof one);
    m_listener.join();
  }
  if (m_socket >= 0) {
    close(m_socket);
    m_socket = -1;
  }
  m_listening.store(false);
}

SearchProgress CDeviceSearch::Progress() const {
  return SearchProgress{m_hostsDone.load(), m_hostsTotal.load(), m_probing.load()};
}

std::vector<FoundDevice> CDeviceSearch::Results() const {
  std::lock_guard lock(m_mutex);
  return m_found;
}

SearchFacts CDeviceSearch::Facts() const {
  SearchFacts f;
  {
    std::lock_guard lock(m_mutex);
    f = m_facts;
  }
  f.probesSent = m_probesSent.load();
  f.hostsProbed = m_hostsProbed.load();
  f.cancelled = m_cancel.load() && m_hostsDone.load() < m_hostsTotal.load();
  return f;
}

void CDeviceSearch::ProbeThreadProc(HostRange range, std::vector<int> hosts, std::string prefix) {
  const std::string probe = FrameR();
  std::size_t next = 0;
  // Every host of the range counts for the progress, the skipped own host too.
  for (int h = range.first; h <= range.last && !m_cancel.load(); ++h) {
    if (next < hosts.size() && hosts[next] == h) {
      ++next;
      sockaddr_in to{};
      if (ToSocketAddress(prefix + "." + std::to_string(h), m_settings.remotePort, to)) {
        for (int i = 0; i < kProbesPerHost; ++i) {
          // A failed send is not retried: the host simply does not answer.
          const ssize_t n = sendto(m_socket, probe.data(), probe.size(), MSG_NOSIGNAL,
                                   reinterpret_cast<const sockaddr*>(&to), sizeof to);
          if (n == static_cast<ssize_t>(probe.size())) m_probesSent.fetch_add(1);
        }
      }
      m_hostsProbed.fetch_add(1);
      m_pacer.Pause(kProbePauseMs);
    }
    m_hostsDone.fetch_add(1);
  }
  m_probing.store(false);
}

void CDeviceSearch::ListenerThreadProc() {
  std::array<char, kAnswerBufferBytes> buffer{};
  std::array<pollfd, 2> waits{pollfd{m_socket, POLLIN, 0}, pollfd{m_stopEvent, POLLIN, 0}};
  for (;;) {
    waits[0].revents = waits[1].revents = 0;
    if (poll(waits.data(), waits.size(), -1) < 0 && errno != EINTR) break;
    if (waits[1].revents != 0) {
      DrainEvent(m_stopEvent);
      break;
    }
    if (waits[0].revents == 0) continue;
    sockaddr_in from{};
    socklen_t fromLen = sizeof from;
    const ssize_t n = recvfrom(m_socket, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &fromLen);
    if (n <= 0) continue;
    std::array<char, INET_ADDRSTRLEN> fromText{};
    inet_ntop(AF_INET, &from.sin_addr, fromText.data(), fromText.size());
    const std::string sender = fromText.data();
    // Answers are single datagrams; text left over from another sender never joins this one.
    if (sender != m_lastSender) m_assembler.Reset();
    m_lastSender = sender;
    m_assembler.Feed(std::string_view(buffer.data(), static_cast<std::size_t>(n)),
                     [&](std::string_view frame) { HandleFrame(frame, sender); });
  }
}

void CDeviceSearch::HandleFrame(std::string_view frame, const std::string& from) {
  if (!IsSearchAnswer(frame)) return;
  m_answers.fetch_add(1);
  std::lock_guard lock(m_mutex);
  const bool known = std::any_of(m_found.begin(), m_found.end(), [&](const FoundDevice& d) { return d.ip == from; });
  if (!known) m_found.push_back(FoundDevice{from, m_settings.remotePort});
}

}  // namespace orvx
