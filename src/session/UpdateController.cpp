#include "session/UpdateController.h"

#include <ctime>

#include "core/TextParse.h"
#include "device/CurlHttpClient.h"
#include "device/FirmwareVersions.h"
#include "device/SearchMissText.h"
#include "device/SearchProbe.h"
#include "device/UpdateTexts.h"
#include "link/SocketErrorText.h"

namespace orvx {
namespace {

std::string NowSceneName() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return BackupSceneName(local);
}

/// "Winsock error!" with why under it, in both languages.
BilingualText SocketFailure(const BilingualText& detail) {
  return {TextWithDetail(captions::kWinsockError.en, detail.en), TextWithDetail(captions::kWinsockError.zh, detail.zh)};
}

}  // namespace

CUpdateController::CUpdateController(IShellSession& session, UpdateSettings settings,
                                     std::unique_ptr<IHttpClient> http, IPacer* pacer, const IClock* clock)
    : m_session(session),
      m_settings(std::move(settings)),
      m_http(http ? std::move(http) : std::make_unique<CCurlHttpClient>()),
      m_ownPacer(pacer ? nullptr : std::make_unique<SleepPacer>()),
      m_pacer(pacer ? *pacer : *m_ownPacer),
      m_clock(ClockOrSteady(clock)) {}

CUpdateController::~CUpdateController() {
  m_stopWorker.store(true);
  {
    std::lock_guard lock(m_mutex);
    m_cancel = true;
  }
  m_answered.notify_all();
  if (m_worker.joinable()) m_worker.join();
}

const Caption* CUpdateController::Refusal(bool recoveryRunning) const {
  return Running() || recoveryRunning ? &captions::kUpdateRunning : nullptr;
}

bool CUpdateController::Start(UpdateKind kind, const std::string& deviceIp, std::optional<LocalImagePair> images) {
  if (Running()) return false;
  m_running.store(true);
  m_job = UpdateJob{};
  m_job.kind = kind;
  m_job.directory = m_settings.imageDirectory;
  m_job.images = std::move(images);
  m_job.pageUrl = m_settings.versionPageUrl;
  m_deviceIp = IsDottedQuad(deviceIp) ? deviceIp : m_session.State().link.deviceIp;
  {
    std::lock_guard lock(m_mutex);
    m_view = UpdateView{};
    m_view.running = true;
    m_outcome = UpdateOutcome{};
  }
  // A local update with no images to send ends before any block goes out: no scene is used up for it.
  const bool nothingToSend = kind == UpdateKind::Local && !m_job.images && !HoldsALocalImagePair(m_job.directory);
  if (!m_backup || nothingToSend) {
    Release();
    return true;
  }
  const BackupResult backup = m_backup(NowSceneName());
  {
    std::lock_guard lock(m_mutex);
    m_view.backup = backup;
  }
  if (backup.status == BackupStatus::Saved) {
    Release();
    return true;
  }
  // The operator decides whether the update may go on without the settings kept.
  const Caption& question =
      backup.status == BackupStatus::NoFreeId ? captions::kNoBackupQuestion : captions::kBackupFailedQuestion;
  BilingualText text(question);
  if (!backup.detail.empty()) text = {TextWithDetail(text.en, backup.detail), TextWithDetail(text.zh, backup.detail)};
  m_stage = Stage::AskingBackup;
  Push({UpdateEvent::Kind::Question, text});
  return true;
}

void CUpdateController::Release() {
  m_stage = Stage::Releasing;
  m_releaseAsked = m_clock.NowMs();
  m_session.ReleasePortForUpdate(m_job.kind);
}

void CUpdateController::Tick() {
  if (m_stage == Stage::Releasing) {
    if (m_session.PortReleasedForUpdate()) {
      OpenAndRun();
    } else if (m_clock.NowMs() - m_releaseAsked > kReleaseLimitMs) {
      Push({UpdateEvent::Kind::Message, SocketFailure(OwnLinkHoldsPortReason(kSearchPort)), captions::kWinsockCaption});
      Finish({});
    }
    return;
  }
  if (m_stage == Stage::Running && m_workerDone.load()) {
    m_worker.join();
    m_socket.reset();  // the port is free again for CONNECT and the search
    UpdateOutcome outcome;
    {
      std::lock_guard lock(m_mutex);
      outcome = m_outcome;
    }
    Finish(outcome);
  }
}

void CUpdateController::OpenAndRun() {
  const LinkSettings link = m_session.LinkAddress();
  const UpdateSocketSettings settings{link.localIp, link.localPort, m_deviceIp, link.remotePort};
  std::string detail;
  std::unique_ptr<CUdpUpdateSocket> socket = CUdpUpdateSocket::Open(settings, detail);
  if (!socket) {
    Push({UpdateEvent::Kind::Message, SocketFailure({detail, detail}), captions::kWinsockCaption});
    Finish({});
    return;
  }
  m_socket = std::move(socket);
  m_stage = Stage::Running;
  m_workerDone.store(false);
  m_counting = std::make_unique<CCountingPacer>(m_pacer);
  m_worker = std::thread([this] {
    const std::int64_t start = m_clock.NowMs();
    CFirmwareUpdate update(m_job, *m_socket, *this, *m_counting, m_clock, m_http.get());
    update.SetCancel(&m_stopWorker);
    UpdateOutcome outcome = update.Run();
    outcome.elapsedMs = m_clock.NowMs() - start;
    outcome.pausedMs = m_counting->Total();
    {
      std::lock_guard lock(m_mutex);
      m_outcome = outcome;
    }
    m_workerDone.store(true);
  });
}

void CUpdateController::Finish(const UpdateOutcome& outcome) {
  m_stage = Stage::Idle;
  {
    std::lock_guard lock(m_mutex);
    m_outcome = outcome;
    m_view.running = false;
  }
  m_running.store(false);
  Push({UpdateEvent::Kind::Finished, {}});
}

void CUpdateController::Push(UpdateEvent event) {
  std::lock_guard lock(m_mutex);
  m_events.push_back(std::move(event));
}

std::vector<UpdateEvent> CUpdateController::TakeEvents() {
  std::lock_guard lock(m_mutex);
  std::vector<UpdateEvent> events(m_events.begin(), m_events.end());
  m_events.clear();
  return events;
}

void CUpdateController::Answer(bool ok) {
  if (m_stage == Stage::AskingBackup) {
    if (ok) {
      Release();
    } else {
      UpdateOutcome declined;
      declined.declined = true;
      Finish(declined);
    }
    return;
  }
  {
    std::lock_guard lock(m_mutex);
    if (!m_questionOpen) return;
    m_answer = ok;
  }
  m_answered.notify_all();
}

UpdateView CUpdateController::View() const {
  std::lock_guard lock(m_mutex);
  return m_view;
}

UpdateOutcome CUpdateController::LastOutcome() const {
  std::lock_guard lock(m_mutex);
  return m_outcome;
}

bool CUpdateController::Ask(const BilingualText& question) {
  std::unique_lock lock(m_mutex);
  m_answer.reset();
  m_questionOpen = true;
  m_events.push_back({UpdateEvent::Kind::Question, question});
  m_answered.wait(lock, [this] { return m_answer.has_value() || m_cancel; });
  m_questionOpen = false;
  return m_answer.value_or(false);
}

void CUpdateController::Tell(const BilingualText& message, const Caption& title) {
  Push({UpdateEvent::Kind::Message, message, title});
}

void CUpdateController::ShowVersions(const UpdateVersions& versions) {
  std::lock_guard lock(m_mutex);
  m_view.versions = versions;
}

void CUpdateController::ShowProgress(const UpdateProgress& progress) {
  std::lock_guard lock(m_mutex);
  m_view.progress = progress;
}

}  // namespace orvx
