#pragma once
/// The firmware update as a state machine on its own socket: the local update (the image pair from
/// a directory, chosen by the processor's base version, or two given files) and the remote update
/// (the maker's version page, two downloads). It runs on a worker thread of its owner; questions,
/// messages, versions and progress go to the owner through IUpdateHost, and every pause goes
/// through the injected pacer.

#include <atomic>
#include <optional>
#include <string>

#include "core/Captions.h"
#include "core/Clock.h"
#include "device/FirmwareImage.h"
#include "device/FirmwareVersions.h"
#include "device/HttpClient.h"
#include "device/UpdateExchange.h"
#include "device/UpdateSocket.h"
#include "link/Pacer.h"

namespace orvx {

enum class UpdateKind { Local, Remote };

/// The versions the update learnt; empty until known.
struct UpdateVersions {
  UpdateKind kind = UpdateKind::Local;
  std::string hardware;  ///< the processor's firmware version (the last two digits of its text)
  std::string basic;     ///< local: the processor's base version
  std::string offered;   ///< local: the shipped image set's version; remote: the page's version
};

/// Where the transfer is: the image (0 first, 1 second), and its blocks.
struct UpdateProgress {
  int image = 0;
  std::string imageName;
  UpdateTarget target = UpdateTarget::Digital;
  int blocksDone = 0;
  int blocksAnnounced = 0;  ///< the progress range, as the start frame announces it
  int blocksSent = 0;       ///< what the image really takes (one more at some lengths)
};

/// What the update asks of its owner, always from the update's thread.
class IUpdateHost {
public:
  virtual ~IUpdateHost() = default;
  /// A question with OK and Cancel; the update waits for the answer (true: OK).
  virtual bool Ask(const BilingualText& question) = 0;
  /// A message box; `title` empty: the window's own.
  virtual void Tell(const BilingualText& message, const Caption& title) = 0;
  virtual void ShowVersions(const UpdateVersions& versions) = 0;
  virtual void ShowProgress(const UpdateProgress& progress) = 0;
};

struct UpdateJob {
  UpdateKind kind = UpdateKind::Local;
  /// Local: where the image pair lies. Remote: where the downloads are written.
  std::string directory;
  /// Local: two given files instead of the pair chosen by the base version.
  std::optional<LocalImagePair> images;
  /// Remote: the address of the version page.
  std::string pageUrl;
};

enum class UpdatePhase {
  StopReports,      ///< "%Q" 00 on the update socket
  BasicVersion,     ///< local: "%r", three tries
  HardwareVersion,  ///< "%Z"
  ChooseImages,     ///< local: the pair by base version (asked when it is unknown)
  FetchPage,        ///< remote: the version page and the comparison
  Download,         ///< remote: both images
  FirstImage,       ///< Digital, target 1
  BetweenImages,    ///< 2,000 ms
  SecondImage,      ///< DSP, target 0
  Finished,
};

struct UpdateOutcome {
  bool success = false;   ///< both images reported done
  bool declined = false;  ///< a question was answered Cancel; nothing was sent
  bool upToDate = false;  ///< remote: the processor is not older than the page's version
  BilingualText message;  ///< the last message shown
  long long elapsedMs = 0;  ///< from the update's socket opening to its end (set by the owner)
  long long pausedMs = 0;   ///< of which its pauses, the waits between reads included
};

class CFirmwareUpdate {
public:
  /// Pauses of the sequence.
  static constexpr int kBasicTries = 3;
  static constexpr int kBetweenImagesMs = 2000;
  static constexpr int kAfterDownloadsMs = 1000;

  /// `http` is needed by the remote update only.
  CFirmwareUpdate(UpdateJob job, IUpdateSocket& socket, IUpdateHost& host, IPacer& pacer, const IClock& clock,
                  IHttpClient* http = nullptr);

  /// Runs every phase to the end.
  UpdateOutcome Run();
  /// Once `flag` is set the update ends at its next wait, as a failure without a message.
  void SetCancel(const std::atomic<bool>* flag) {
    m_cancel = flag;
    m_exchange.SetCancel(flag);
  }
  /// Where it is; readable from any thread.
  UpdatePhase Phase() const { return m_phase.load(); }

private:
  UpdatePhase Step(UpdatePhase phase);
  UpdatePhase StepBasicVersion();
  UpdatePhase StepHardwareVersion();
  UpdatePhase StepChooseImages();
  UpdatePhase StepFetchPage();
  UpdatePhase StepDownload();
  UpdatePhase StepImage(int image);
  /// Ends the update with `message` (title: the window's own unless given).
  UpdatePhase Finish(const Caption& message, const Caption& title = kNoMessageTitle);
  /// The failure message of this kind of update.
  UpdatePhase Fail();
  std::string PathOf(const std::string& name) const;

  UpdateJob m_job;
  IUpdateHost& m_host;
  IPacer& m_pacer;
  IHttpClient* m_http;
  CUpdateExchange m_exchange;
  std::atomic<UpdatePhase> m_phase{UpdatePhase::StopReports};
  const std::atomic<bool>* m_cancel = nullptr;

  UpdateVersions m_versions;
  bool m_basicKnown = false;
  LocalImagePair m_images;
  UpdateOutcome m_outcome;
};

}  // namespace orvx
