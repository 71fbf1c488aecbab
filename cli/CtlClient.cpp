#include "CtlClient.h"

#include "link/Commands.h"

#include <chrono>

namespace orvx {
namespace {

constexpr int kCloseWaitMs = 3000;

}  // namespace

std::string ConnectAttemptText(const CtlOptions& o, int attempt) {
  return "connecting to " + o.deviceIp + ":" + std::to_string(o.port) + " ... attempt " + std::to_string(attempt) +
         " of " + std::to_string(CConnectionSupervisor::kAttempts);
}

std::string PortInUseHint(const CtlOptions& o) {
  return "\n  another program (an editor, orvxctl monitor) holds port " + std::to_string(o.localPort) + " on " +
         o.localIp +
         ": give this run an address of its own with --local-ip (another loopback address such as "
         "127.0.0.5, or an interface address of this PC)";
}

CCtlClient::CCtlClient(const CtlOptions& o)
    : m_options(o), m_session(LinkSettings{o.localIp, o.localPort, o.port}, m_clock, [this] { Wake(); }) {
  m_session.SetObserver(this);
  m_session.State().link.deviceIp = o.deviceIp;
}

CCtlClient::~CCtlClient() { Close(); }

void CCtlClient::Wake() {
  {
    std::lock_guard lock(m_mutex);
    m_woken = true;
  }
  m_cv.notify_one();
}

void CCtlClient::OnChanged(const ChangeNotice& notice) {
  if (!notice.report) return;
  if (notice.report->kind == ReportKind::Z) ++m_fullReports;
  if (notice.report->kind == ReportKind::Y) m_namesAfter = m_fullReports;
}

void CCtlClient::OnMessage(const Caption& text, const Caption&, const std::string& detail) {
  m_message = &text;
  m_messageDetail = detail;
}

bool CCtlClient::Pump(int ms, const std::function<bool()>& until, const std::function<void()>& afterTick) {
  using namespace std::chrono;
  const auto start = steady_clock::now();
  const auto end = start + milliseconds(ms);
  auto nextTick = start + milliseconds(CConnectionSupervisor::kTickMs);
  while (true) {
    m_session.ProcessPendingFrames();
    if (until && until()) return true;
    const auto now = steady_clock::now();
    if (now >= end) return false;
    if (now >= nextTick) {
      m_session.Tick();
      if (m_session.Supervisor().Closing()) m_session.CloseTick();
      if (afterTick) afterTick();
      nextTick += milliseconds(CConnectionSupervisor::kTickMs);
      continue;
    }
    std::unique_lock lock(m_mutex);
    m_cv.wait_until(lock, std::min(nextTick, end), [this] { return m_woken; });
    m_woken = false;
  }
}

int CCtlClient::Connect(std::string& error) {
  m_session.Connect();
  const CDeviceState& s = m_session.State();
  const int budgetMs = static_cast<int>(m_options.timeoutS * 1000);
  // Each "%Z" of the attempt is said on stderr, so an absent processor is not 16 s of silence. Only
  // a tick sends it, so each is seen right after its tick, before any answer is read.
  std::int64_t queryShown = -1;
  auto sayAttempt = [&] {
    if (!s.link.connecting || s.link.connectTime == queryShown ||
        m_session.Supervisor().CurrentPhase() != CConnectionSupervisor::Phase::Idle)
      return;
    queryShown = s.link.connectTime;
    if (m_attempts) m_attempts(ConnectAttemptText(m_options, s.link.retryCount + 1));
  };
  Pump(
      budgetMs, [&] { return s.link.online || m_message != nullptr; }, sayAttempt);
  if (s.link.online) return kExitOk;
  if (m_message == &captions::kUpdateDevice) {
    error = Text(*m_message, Language::English);
    return kExitOldFirmware;
  }
  if (m_message == &captions::kWinsockError) {
    error = m_messageDetail.empty()
                ? "cannot open the local socket (" + m_options.localIp + ":" + std::to_string(m_options.localPort) + ")"
                : m_messageDetail;
    error += PortInUseHint(m_options);
    return kExitFailure;
  }
  error = Text(captions::kCannotConnect, Language::English);
  return kExitNoAnswer;
}

bool CCtlClient::Refresh(int ms, bool withNames) {
  const int before = m_fullReports;
  if (m_session.State().link.online) m_session.QueueFrame(FrameZ());
  return Pump(ms, [&] { return m_fullReports > before && (!withNames || m_namesAfter > before); });
}

void CCtlClient::Close() {
  if (m_closed) return;
  m_closed = true;
  m_session.BeginClose();
  Pump(kCloseWaitMs, [&] { return m_session.CloseFinished(); });
}

}  // namespace orvx
