#include "SimServer.h"

#include "ConsoleCommand.h"
#include "link/SocketErrorText.h"

#include <algorithm>
#include <chrono>

namespace orvx {
namespace {

constexpr int kMaxRate = 1000;
constexpr std::int64_t kReorderHoldMs = 100;

std::string PeerText(const std::string& ip, std::uint16_t port) { return ip + ":" + std::to_string(port); }

}  // namespace

CSimServer::CSimServer(SimServerSettings settings, const IClock& clock)
    : m_settings(std::move(settings)),
      m_clock(clock),
      m_link(LinkSettings{m_settings.ip, m_settings.port, 39030}),
      m_device([this] {
        SimDeviceSettings d = m_settings.device;
        d.seed = m_settings.seed;
        return d;
      }()) {
  m_settings.rate = std::clamp(m_settings.rate, 1, kMaxRate);
}

CSimServer::~CSimServer() { Stop(); }

bool CSimServer::Start(std::string* error) {
  std::string failure;
  const bool ok = m_link.Start(
      [this](ReceivedFrame f) {
        {
          std::lock_guard lock(m_mutex);
          m_inbox.push_back(std::move(f));
        }
        m_wake.notify_all();
      },
      [&failure](const std::string& message, const std::string&, const std::string& detail) {
        failure = TextWithDetail(message, detail);
      });
  if (!ok) {
    if (error) *error = failure.empty() ? "cannot open the socket" : failure;
    return false;
  }
  m_replyPort.store(m_settings.replyPort != 0 ? m_settings.replyPort : m_link.BoundPort());
  m_worker = std::thread([this] { WorkerLoop(); });
  return true;
}

void CSimServer::Stop() {
  {
    std::lock_guard lock(m_mutex);
    m_stop = true;
  }
  m_wake.notify_all();
  if (m_worker.joinable()) m_worker.join();
  m_link.Stop();
}

void CSimServer::Console(std::string line) {
  {
    std::lock_guard lock(m_mutex);
    m_console.push_back(std::move(line));
  }
  m_wake.notify_all();
}

bool CSimServer::QuitRequested() const {
  std::lock_guard lock(m_mutex);
  return m_quit;
}

std::vector<std::string> CSimServer::ReceivedFrames() const {
  std::lock_guard lock(m_mutex);
  return m_received;
}

CDeviceState CSimServer::StateSnapshot() const {
  std::lock_guard lock(m_mutex);
  return m_device.State();
}

MeterSnapshot CSimServer::LastMeters() const {
  std::lock_guard lock(m_mutex);
  return m_lastMeters;
}

std::uint64_t CSimServer::ReportsSent() const {
  std::lock_guard lock(m_mutex);
  return m_reportsSent;
}

std::uint64_t CSimServer::Periods() const {
  std::lock_guard lock(m_mutex);
  return m_periods;
}

bool CSimServer::Silent() const {
  std::lock_guard lock(m_mutex);
  return m_clock.NowMs() < m_silentUntil;
}

FaultCounts CSimServer::OutboundFaults() const {
  std::lock_guard lock(m_mutex);
  FaultCounts sum;
  for (const auto& [peer, faults] : m_faults) sum += faults.Counts();
  return sum;
}

FaultCounts CSimServer::InboundFaults() const {
  std::lock_guard lock(m_mutex);
  FaultCounts sum;
  for (const auto& [peer, path] : m_inbound) sum += path.faults.Counts();
  return sum;
}

double CSimServer::DropRate() const {
  std::lock_guard lock(m_mutex);
  return m_settings.inbound.loss;
}

std::vector<ReceivedImage> CSimServer::ReceivedImages() const {
  std::lock_guard lock(m_mutex);
  return m_device.Firmware().Images();
}

bool CSimServer::WaitFor(const std::function<bool()>& pred, int timeoutMs) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!pred()) {
    std::unique_lock lock(m_mutex);
    if (m_wake.wait_until(lock, deadline) == std::cv_status::timeout) {
      lock.unlock();
      return pred();
    }
  }
  return true;
}

void CSimServer::Log(const std::string& line) {
  if (m_settings.log) *m_settings.log << line << std::endl;
}

void CSimServer::SendTo(const Peer& peer, const std::string& frame) {
  auto it = m_faults.find(peer);
  if (it == m_faults.end()) {
    const auto seed = m_settings.seed + static_cast<std::uint32_t>(m_faults.size()) * 7777u;
    it = m_faults.emplace(peer, CFaultInjector(m_settings.faults, seed)).first;
  }
  for (const std::string& d : it->second.Shape(frame)) m_link.SendDatagramTo(d, peer, m_replyPort.load());
}

void CSimServer::HandleFrame(const ReceivedFrame& f, std::int64_t now) {
  m_received.push_back(f.text);
  const Peer& peer = f.fromIp;
  if (now < m_silentUntil) {
    Log("rx " + PeerText(f.fromIp, f.fromPort) + " " + f.text + "  (silent: not answered)");
    return;
  }
  auto it = m_inbound.find(peer);
  if (it == m_inbound.end()) {
    if (!m_settings.inbound.Any()) {
      Apply(peer, f.text, "rx " + PeerText(f.fromIp, f.fromPort) + " " + f.text);
      return;
    }
    const auto seed = m_settings.seed + 0x1B0Du + static_cast<std::uint32_t>(m_inbound.size()) * 7777u;
    it = m_inbound.emplace(peer, InboundPath{CFaultInjector(m_settings.inbound, seed), {}}).first;
  }
  const std::vector<std::string> arrived = it->second.faults.Shape(f.text);
  if (arrived.empty()) Log("rx " + PeerText(f.fromIp, f.fromPort) + " " + f.text + "  (lost or held back)");
  Deliver(peer, f.fromPort, arrived);
}

void CSimServer::Deliver(const Peer& peer, std::uint16_t fromPort, const std::vector<std::string>& datagrams) {
  CFrameAssembler& frames = m_inbound.at(peer).frames;
  for (const std::string& d : datagrams) {
    const std::string from = "rx " + PeerText(peer, fromPort) + " ";
    const int whole = frames.Feed(d, [&](std::string_view frame) {
      const std::string text(frame);
      Apply(peer, text, from + text);
    });
    if (whole == 0 && d.size() > 1 && d.front() == '%' && d.back() == '#') Log(from + d + "  (damaged: dropped)");
  }
}

void CSimServer::Apply(const Peer& peer, const std::string& frame, std::string line) {
  const SimReply reply = m_device.HandleCommand(frame);
  switch (reply.effect.kind) {
    case CommandKind::Refused: line += "  (refused: " + reply.effect.why + ")"; break;
    case CommandKind::Unknown: line += "  (not a command of this processor)"; break;
    case CommandKind::ReportsOn: m_subscribers.insert(peer); break;
    case CommandKind::ReportsOff: m_subscribers.erase(peer); break;
    case CommandKind::UnitCall: line += "  (unit call " + std::to_string(reply.effect.unit) + ")"; break;
    case CommandKind::StateQuery:
      if (reply.ignoredQuery)
        line += "  (query " + std::to_string(m_device.QueriesSeen()) + " ignored)";
      else
        m_peers.insert(peer);
      break;
    default: break;
  }
  if (!reply.note.empty()) line += "  (" + reply.note + ")";
  Log(line);
  for (const std::string& frame : reply.frames) SendTo(peer, frame);
  for (const std::string& frame : reply.later) m_later.push_back({m_clock.NowMs() + CSimDevice::kFlashMs, peer, frame});
}

void CSimServer::SendDueLater(std::int64_t now) {
  while (!m_later.empty() && m_later.front().due <= now) {
    if (now >= m_silentUntil) SendTo(m_later.front().peer, m_later.front().frame);
    m_later.pop_front();
  }
}

void CSimServer::SetFaults(const FaultRates& rates, bool inbound) {
  (inbound ? m_settings.inbound : m_settings.faults) = rates;
  if (inbound) {
    for (auto& [peer, path] : m_inbound) path.faults.SetRates(rates);
  } else {
    for (auto& [peer, faults] : m_faults) faults.SetRates(rates);
  }
}

void CSimServer::HandleConsole(const std::string& line, std::int64_t now) {
  const ConsoleResult r = ApplyConsoleLine(line, m_device);
  if (!r.ok) {
    Log("console: " + r.error);
    return;
  }
  if (r.quit) m_quit = true;
  if (r.silenceMs > 0) m_silentUntil = now + r.silenceMs;
  if (r.outboundFaults) SetFaults(*r.outboundFaults, false);
  if (r.inboundFaults) SetFaults(*r.inboundFaults, true);
  if (r.dropPercent >= 0) {
    FaultRates inbound = m_settings.inbound;
    inbound.loss = r.dropPercent / 100.0;
    SetFaults(inbound, true);
  }
  if (r.sendLevels && now >= m_silentUntil) {
    const std::string p = BuildPReport(m_device.State());
    for (const Peer& peer : m_peers) SendTo(peer, p);
  }
}

void CSimServer::WorkerLoop() {
  std::unique_lock lock(m_mutex);
  const double periodMs = 1000.0 / m_settings.rate;
  double nextReport = static_cast<double>(m_clock.NowMs()) + periodMs;
  std::int64_t heldSince = -1;
  while (!m_stop) {
    std::int64_t now = m_clock.NowMs();
    while (!m_inbox.empty()) {
      const ReceivedFrame f = std::move(m_inbox.front());
      m_inbox.pop_front();
      HandleFrame(f, now);
    }
    while (!m_console.empty()) {
      const std::string line = std::move(m_console.front());
      m_console.pop_front();
      HandleConsole(line, now);
    }
    now = m_clock.NowMs();
    SendDueLater(now);
    // Catch up on periods a coarse wake-up missed (bounded), but never burst after a long stall.
    if (static_cast<double>(now) - nextReport > 100.0) nextReport = static_cast<double>(now);
    for (int due = 0; due < 100 && static_cast<double>(now) >= nextReport; ++due) {
      m_lastMeters = m_device.StepMeters(now);
      ++m_periods;
      if (now >= m_silentUntil && !m_subscribers.empty()) {
        const std::string q = BuildQReport(m_lastMeters);
        for (const Peer& peer : m_subscribers) SendTo(peer, q);
        ++m_reportsSent;
      }
      nextReport += periodMs;
    }
    // A frame held back for reordering goes out once nothing has overtaken it for a while.
    if (heldSince < 0) heldSince = now;
    if (now - heldSince >= kReorderHoldMs) {
      heldSince = now;
      for (auto& [peer, faults] : m_faults)
        for (const std::string& d : faults.Flush()) m_link.SendDatagramTo(d, peer, m_replyPort.load());
      for (auto& [peer, path] : m_inbound) Deliver(peer, 0, path.faults.Flush());
    }
    m_wake.notify_all();
    std::int64_t waitMs = std::max<std::int64_t>(1, static_cast<std::int64_t>(nextReport) - m_clock.NowMs());
    if (!m_later.empty()) waitMs = std::clamp<std::int64_t>(m_later.front().due - m_clock.NowMs(), 1, waitMs);
    m_wake.wait_for(lock, std::chrono::milliseconds(std::min<std::int64_t>(waitMs, kReorderHoldMs)),
                    [this] { return m_stop || !m_inbox.empty() || !m_console.empty(); });
  }
}

}  // namespace orvx
