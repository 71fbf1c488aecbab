#pragma once
/// The firmware update of the editor and of orvxctl, without a window: LOCAL and UPDATE, the backup
/// scene first, the link and the search letting go of the port in the update's order, then the
/// update on a worker thread with its own socket. The owner (the SYSTEM page, orvxctl) calls Tick
/// every 50 to 200 ms, takes the messages and questions in order, answers the questions and shows
/// View(); nothing here waits on the owner's thread.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/Captions.h"
#include "core/Clock.h"
#include "device/FirmwareUpdate.h"
#include "device/HttpClient.h"
#include "device/UpdateBackup.h"
#include "device/UpdateSocket.h"
#include "link/Pacer.h"
#include "session/ShellSession.h"

namespace orvx {

/// Something the owner must show: a message box, or a question to answer with Answer.
struct UpdateEvent {
  enum class Kind { Message, Question, Finished };
  Kind kind = Kind::Message;
  BilingualText text;
  Caption title = kNoMessageTitle;
};

/// What the owner shows while and after an update runs.
struct UpdateView {
  bool running = false;
  std::optional<UpdateProgress> progress;  ///< the image being sent
  std::optional<UpdateVersions> versions;  ///< once the processor told them
  std::optional<BackupResult> backup;      ///< the backup scene of this update, once tried
};

struct UpdateSettings {
  /// The local images lie here; the remote update's downloads are written here.
  std::string imageDirectory;
  /// The maker's version page; empty: no remote update is offered.
  std::string versionPageUrl;
};

class CUpdateController final : private IUpdateHost {
public:
  /// How long the link and the search may take to let go of the port, their pauses included.
  static constexpr int kReleaseLimitMs = 8000;

  /// `http` defaults to libcurl, `pacer` to real pauses, `clock` to the monotonic clock.
  CUpdateController(IShellSession& session, UpdateSettings settings, std::unique_ptr<IHttpClient> http = nullptr,
                    IPacer* pacer = nullptr, const IClock* clock = nullptr);
  /// Cancels the update (it ends at its next wait, a question still open as Cancel) and waits for
  /// the worker to end.
  ~CUpdateController() override;

  CUpdateController(const CUpdateController&) = delete;
  CUpdateController& operator=(const CUpdateController&) = delete;

  /// The scene store's call that keeps the current settings before an update. Without it no backup
  /// is made.
  void SetBackup(SaveBackupFn save) { m_backup = std::move(save); }
  /// Where the images lie and the version page; taken by the next update.
  void SetSettings(UpdateSettings settings) { m_settings = std::move(settings); }
  /// The remote update's key is offered only when a version page is set.
  bool RemoteOffered() const { return !m_settings.versionPageUrl.empty(); }

  /// From LOCAL or UPDATE until the worker has ended (blocks a second update, RECOVERY and the
  /// window's group keys).
  bool Running() const { return m_running.load(); }
  /// LOCAL or UPDATE pressed: "Updateing......." while one runs or the factory recovery pushes
  /// (it holds the same flag), or nullptr (then LOCAL asks kUpdateQuestion, UPDATE starts at once).
  const Caption* Refusal(bool recoveryRunning = false) const;
  /// Begins (after LOCAL's question was confirmed): the backup, then the port release. `deviceIp`
  /// is the address field's text (the device address when it is not a dotted quad); `images`
  /// replaces the pair chosen by the base version. False when an update already runs.
  bool Start(UpdateKind kind, const std::string& deviceIp, std::optional<LocalImagePair> images = {});
  /// Moves the update on (see the class comment).
  void Tick();
  /// Messages and questions in the order they came; a question waits for Answer.
  std::vector<UpdateEvent> TakeEvents();
  /// The answer to the question shown last (true: OK).
  void Answer(bool ok);

  UpdateView View() const;
  /// How the last update ended (valid after its Finished event).
  UpdateOutcome LastOutcome() const;

private:
  enum class Stage { Idle, AskingBackup, Releasing, Running };

  /// Passes every pause on and adds it up, so an update's wall time can be set against its pauses.
  class CCountingPacer final : public IPacer {
  public:
    explicit CCountingPacer(IPacer& inner) : m_inner(inner) {}
    void Pause(int ms) override {
      m_total.fetch_add(ms);
      m_inner.Pause(ms);
    }
    long long Total() const { return m_total.load(); }

  private:
    IPacer& m_inner;
    std::atomic<long long> m_total{0};
  };

  // IUpdateHost, on the worker thread.
  bool Ask(const BilingualText& question) override;
  void Tell(const BilingualText& message, const Caption& title) override;
  void ShowVersions(const UpdateVersions& versions) override;
  void ShowProgress(const UpdateProgress& progress) override;

  void Push(UpdateEvent event);
  void Release();
  void OpenAndRun();
  /// The update is over (also when it never started): the flag clears, the owner is told.
  void Finish(const UpdateOutcome& outcome);

  IShellSession& m_session;
  UpdateSettings m_settings;
  std::unique_ptr<IHttpClient> m_http;
  std::unique_ptr<IPacer> m_ownPacer;
  IPacer& m_pacer;
  const IClock& m_clock;
  SaveBackupFn m_backup;
  std::unique_ptr<CCountingPacer> m_counting;  ///< one per update

  // Owner thread only.
  Stage m_stage = Stage::Idle;
  UpdateJob m_job;
  std::string m_deviceIp;
  std::int64_t m_releaseAsked = 0;
  std::unique_ptr<IUpdateSocket> m_socket;
  std::thread m_worker;

  std::atomic<bool> m_running{false};
  std::atomic<bool> m_workerDone{false};
  std::atomic<bool> m_stopWorker{false};

  mutable std::mutex m_mutex;  ///< guards what both threads touch, below
  std::condition_variable m_answered;
  std::deque<UpdateEvent> m_events;
  std::optional<bool> m_answer;  ///< the worker's open question, once answered
  bool m_questionOpen = false;
  bool m_cancel = false;
  UpdateView m_view;
  UpdateOutcome m_outcome;
};

}  // namespace orvx
