#include "device/FirmwareUpdate.h"

#include "device/RemoteVersionPage.h"
#include "device/UpdateTexts.h"

namespace orvx {
namespace {

/// `caption` with %1 and %2 replaced.
std::string Filled(const char* caption, const std::string& one, const std::string& two = {}) {
  std::string text = caption;
  for (const auto& [mark, value] : {std::pair{std::string("%1"), one}, std::pair{std::string("%2"), two}}) {
    const std::size_t at = text.find(mark);
    if (at != std::string::npos) text.replace(at, mark.size(), value);
  }
  return text;
}

BilingualText Filled(const Caption& caption, const std::string& one, const std::string& two = {}) {
  return {Filled(caption.en, one, two), Filled(caption.zh, one, two)};
}

}  // namespace

CFirmwareUpdate::CFirmwareUpdate(UpdateJob job, IUpdateSocket& socket, IUpdateHost& host, IPacer& pacer,
                                 const IClock& clock, IHttpClient* http)
    : m_job(std::move(job)), m_host(host), m_pacer(pacer), m_http(http), m_exchange(socket, pacer, clock) {
  m_versions.kind = m_job.kind;
}

UpdateOutcome CFirmwareUpdate::Run() {
  UpdatePhase phase = UpdatePhase::StopReports;
  while (phase != UpdatePhase::Finished && !(m_cancel && m_cancel->load())) {
    m_phase.store(phase);
    phase = Step(phase);
  }
  m_phase.store(UpdatePhase::Finished);
  return m_outcome;
}

UpdatePhase CFirmwareUpdate::Step(UpdatePhase phase) {
  const bool local = m_job.kind == UpdateKind::Local;
  switch (phase) {
    case UpdatePhase::StopReports:
      // A processor still streaming level reports to this address would fill every reply.
      m_exchange.StopReports();
      return local ? UpdatePhase::BasicVersion : UpdatePhase::HardwareVersion;
    case UpdatePhase::BasicVersion: return StepBasicVersion();
    case UpdatePhase::HardwareVersion: return StepHardwareVersion();
    case UpdatePhase::ChooseImages: return StepChooseImages();
    case UpdatePhase::FetchPage: return StepFetchPage();
    case UpdatePhase::Download: return StepDownload();
    case UpdatePhase::FirstImage: return StepImage(0);
    case UpdatePhase::BetweenImages: m_pacer.Pause(kBetweenImagesMs); return UpdatePhase::SecondImage;
    case UpdatePhase::SecondImage: return StepImage(1);
    case UpdatePhase::Finished: break;
  }
  return UpdatePhase::Finished;
}

UpdatePhase CFirmwareUpdate::StepBasicVersion() {
  m_versions.hardware = "00";
  const std::optional<std::string> basic = m_exchange.QueryBasicVersion(kBasicTries);
  m_basicKnown = basic.has_value();
  m_versions.basic = basic.value_or(kUnknownBasicVersion);
  return UpdatePhase::HardwareVersion;
}

UpdatePhase CFirmwareUpdate::StepHardwareVersion() {
  const bool local = m_job.kind == UpdateKind::Local;
  if (std::optional<std::string> hardware = m_exchange.QueryHardwareVersion()) {
    m_versions.hardware = *hardware;
  } else if (!local) {
    return Finish(captions::kRemoteVersionError);
  } else {
    m_host.Tell(BilingualText(captions::kLocalVersionError), kNoMessageTitle);
    if (!m_host.Ask(BilingualText(captions::kContinueQuestion))) {
      m_outcome.declined = true;
      return UpdatePhase::Finished;
    }
  }
  if (!local) return UpdatePhase::FetchPage;
  m_versions.offered = kShippedVersion;
  m_host.ShowVersions(m_versions);
  return UpdatePhase::ChooseImages;
}

UpdatePhase CFirmwareUpdate::StepChooseImages() {
  if (m_job.images) {
    m_images = *m_job.images;
    return UpdatePhase::FirstImage;
  }
  m_images = LocalImageNames(VersionNumber(m_versions.basic));
  // Without the base version the plain images would go: the operator decides, knowing which.
  if (!m_basicKnown && !m_host.Ask(Filled(captions::kUnknownBasicQuestion, m_images.digital, m_images.dsp))) {
    m_outcome.declined = true;
    return UpdatePhase::Finished;
  }
  m_images = {PathOf(m_images.digital), PathOf(m_images.dsp)};
  return UpdatePhase::FirstImage;
}

UpdatePhase CFirmwareUpdate::StepFetchPage() {
  const std::optional<std::string> text = m_http ? m_http->FetchPageText(m_job.pageUrl) : std::nullopt;
  const std::optional<RemoteVersionPage> page = text ? ParseVersionPage(*text) : std::nullopt;
  if (!page) return Finish(captions::kRemotePageFail, captions::kWinsockCaption);
  m_versions.offered = page->version;
  m_host.ShowVersions(m_versions);
  if (!RemoteIsNewer(m_versions.hardware, page->version)) {
    m_outcome.upToDate = true;
    return Finish(captions::kRemoteNewest);
  }
  m_images = {page->secondAddress, page->firstAddress};  // addresses until downloaded
  return UpdatePhase::Download;
}

UpdatePhase CFirmwareUpdate::StepDownload() {
  const LocalImagePair files{PathOf(kSecondDownload), PathOf(kFirstDownload)};
  // Both must arrive whole: a missing or cut-off image is never sent.
  const bool first = m_http->DownloadToFile(m_images.dsp, files.dsp);
  const bool second = first && m_http->DownloadToFile(m_images.digital, files.digital);
  if (!second) return Fail();
  m_images = files;
  m_pacer.Pause(kAfterDownloadsMs);
  return UpdatePhase::FirstImage;
}

UpdatePhase CFirmwareUpdate::StepImage(int image) {
  const std::string& path = image == 0 ? m_images.digital : m_images.dsp;
  const UpdateTarget target = image == 0 ? UpdateTarget::Digital : UpdateTarget::Dsp;
  const std::optional<CFirmwareImage> file = CFirmwareImage::Load(path);
  if (!file) return Fail();  // nothing is sent; the failure message says the rest

  UpdateProgress progress;
  progress.image = image;
  progress.imageName = path.substr(path.find_last_of('/') + 1);
  progress.target = target;
  progress.blocksAnnounced = file->AnnouncedBlocks();
  progress.blocksSent = file->SentBlocks();
  m_host.ShowProgress(progress);
  const UploadOutcome outcome = m_exchange.UploadImage(*file, target, [&](int done) {
    progress.blocksDone = done;
    m_host.ShowProgress(progress);
  });
  if (!outcome.Ok()) {
    // A report with a bad status is shown as it came, before the failure message.
    if (outcome.result.reported) m_host.Tell({outcome.result.report, outcome.result.report}, kNoMessageTitle);
    return Fail();
  }
  if (image == 0) return UpdatePhase::BetweenImages;
  m_outcome.success = true;
  return Finish(m_job.kind == UpdateKind::Local ? captions::kLocalUpdateDone : captions::kRemoteUpdateDone);
}

UpdatePhase CFirmwareUpdate::Finish(const Caption& message, const Caption& title) {
  m_outcome.message = BilingualText(message);
  m_host.Tell(m_outcome.message, title);
  return UpdatePhase::Finished;
}

UpdatePhase CFirmwareUpdate::Fail() {
  return Finish(m_job.kind == UpdateKind::Local ? captions::kLocalUpdateFail : captions::kRemoteUpdateFail);
}

std::string CFirmwareUpdate::PathOf(const std::string& name) const {
  if (m_job.directory.empty() || m_job.directory.back() == '/') return m_job.directory + name;
  return m_job.directory + "/" + name;
}

}  // namespace orvx
