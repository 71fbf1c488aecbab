#include "CtlFirmwareCommands.h"

#include <chrono>
#include <iostream>

#include "CtlClient.h"
#include "CtlJson.h"
#include "CtlPresetCommands.h"
#include "core/XdgPaths.h"
#include "device/SceneStore.h"
#include "device/UpdateTexts.h"
#include "session/UpdateController.h"
#include "session/UpdateLabels.h"

namespace orvx {
namespace {

constexpr int kPollMs = 50;
/// An update ends on its own bounded waits; this only keeps a run from hanging on a fault.
constexpr int kUpdateLimitMs = 60 * 60 * 1000;

CtlReply Failed(int code, std::string error) {
  CtlReply r;
  r.code = code;
  r.error = std::move(error);
  return r;
}

}  // namespace

std::string FormatUpdateSummary(const UpdateOutcome& outcome, const UpdateView& view,
                                const std::vector<UpdateProgress>& images, bool json) {
  const UpdateVersions versions = view.versions.value_or(UpdateVersions{});
  if (json) {
    CtlJson sent = CtlJson::array();
    for (const UpdateProgress& p : images)
      sent.push_back({{"file", p.imageName},
                      {"target", static_cast<int>(p.target)},
                      {"blocks", p.blocksDone},
                      {"blocksAnnounced", p.blocksAnnounced},
                      {"blocksToSend", p.blocksSent}});
    return JsonLine({{"success", outcome.success},
                     {"declined", outcome.declined},
                     {"message", outcome.message.en},
                     {"hardwareVersion", versions.hardware},
                     {"basicVersion", versions.basic},
                     {"images", sent},
                     {"backupScene", view.backup && view.backup->status == BackupStatus::Saved
                                         ? CtlJson({{"id", view.backup->id}, {"name", view.backup->name}})
                                         : CtlJson(nullptr)},
                     {"wallMs", outcome.elapsedMs},
                     {"pausedMs", outcome.pausedMs}});
  }
  std::string out;
  if (const std::string kept = MakeUpdateLabels(view, {}, Language::English).backup; !kept.empty()) out += kept + "\n";
  for (const UpdateProgress& p : images) out += UpdateProgressText(p, Language::English) + "\n";
  if (!outcome.message.en.empty()) out += outcome.message.en + "\n";
  return out;
}

CtlReply RunFirmwareVersions(const CtlOptions& o) {
  std::string detail;
  const auto socket = CUdpUpdateSocket::Open({o.localIp, o.localPort, o.deviceIp, o.port}, detail);
  if (!socket) return Failed(kExitFailure, detail + PortInUseHint(o));
  SleepPacer pacer;
  SteadyClock clock;
  CUpdateExchange exchange(*socket, pacer, clock);
  exchange.StopReports();
  const std::optional<std::string> basic = exchange.QueryBasicVersion(CFirmwareUpdate::kBasicTries);
  const std::optional<std::string> hardware = exchange.QueryHardwareVersion();
  if (!hardware) return Failed(kExitNoAnswer, captions::kLocalVersionError.en);
  CtlReply reply;
  const std::string shownBasic = basic.value_or(kUnknownBasicVersion);
  const LocalImagePair images = LocalImageNames(VersionNumber(shownBasic));
  if (o.json) {
    reply.out = JsonLine({{"hardwareVersion", *hardware},
                          {"basicVersion", basic ? CtlJson(*basic) : CtlJson(nullptr)},
                          {"images", {images.digital, images.dsp}}});
  } else {
    reply.out = VersionLabel(captions::kHardwareVersion, *hardware, kTenths, Language::English) + "\n" +
                VersionLabel(captions::kBasicVersion, shownBasic, kHundredths, Language::English) +
                (basic ? "" : " (not reported)") + "\nimages: " + images.digital + ", " + images.dsp + "\n";
  }
  return reply;
}

CtlReply RunFirmwareUpdate(const CtlOptions& o) {
  for (const std::string& file : {o.digitalFile, o.dspFile})
    if (!CFirmwareImage::Load(file)) return Failed(kExitBadArguments, "cannot read the image " + file);

  CCtlClient client(o);
  client.SetAttemptReport([](const std::string& line) { std::cerr << "orvxctl: " << line << "\n"; });
  std::string error;
  const int connected = client.Connect(error);
  // A processor too old for the editor is exactly one to update; one that never answers is not.
  if (connected != kExitOk && connected != kExitOldFirmware) return Failed(connected, error);

  CUpdateController update(client.Session(), {});
  // The settings just read are kept as a scene of the editor's store first, as the editor does.
  CPresetDatabase library;
  const std::string libraryError = OpenLibrary(o, library);
  std::optional<CSceneStore> store;
  if (libraryError.empty()) {
    store.emplace(library, DataDirectoryPath(o.dataDir));
    update.SetBackup(BackupInto(*store, client.State()));
  } else {
    update.SetBackup([&libraryError](const std::string&) {
      return BackupResult{BackupStatus::Failed, 0, {}, libraryError};
    });
  }
  update.Start(UpdateKind::Local, o.deviceIp, LocalImagePair{o.digitalFile, o.dspFile});
  std::vector<UpdateProgress> images;
  std::optional<UpdateProgress> shown;
  bool finished = false;
  std::string held;  ///< a message not yet printed (empty: none)
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kUpdateLimitMs);
  while (!finished && std::chrono::steady_clock::now() < deadline) {
    client.Pump(kPollMs);
    update.Tick();
    const UpdateView view = update.View();
    if (view.progress && (!shown || shown->image != view.progress->image ||
                          shown->blocksDone != view.progress->blocksDone)) {
      shown = view.progress;
      std::cerr << "orvxctl: " << UpdateProgressText(*shown, Language::English) << "\n";
      if (images.empty() || images.back().image != shown->image) images.push_back(*shown);
      images.back() = *shown;
    }
    for (const UpdateEvent& e : update.TakeEvents()) {
      // The message just before the end is the update's last word: the summary or the error says it.
      if (e.kind != UpdateEvent::Kind::Finished && !held.empty()) std::cerr << "orvxctl: " << held << "\n";
      held.clear();
      if (e.kind == UpdateEvent::Kind::Finished) finished = true;
      if (e.kind == UpdateEvent::Kind::Message) held = e.text.en;
      if (e.kind == UpdateEvent::Kind::Question) {
        std::cerr << "orvxctl: " << e.text.en << (o.yes ? " -> OK (--yes)\n" : " -> Cancel (give --yes to go on)\n");
        update.Answer(o.yes);
      }
    }
  }
  if (!finished) return Failed(kExitFailure, "the update did not end");
  const UpdateOutcome outcome = update.LastOutcome();
  const UpdateView view = update.View();
  if (outcome.declined) return Failed(kExitDeclined, "the update was not confirmed; nothing was sent");
  if (!outcome.success) {
    // In JSON the error document alone: one document on standard output.
    CtlReply reply = Failed(kExitFailure, outcome.message.en.empty() ? captions::kLocalUpdateFail.en : outcome.message.en);
    if (!o.json) reply.out = FormatUpdateSummary({}, view, images, false);
    return reply;
  }
  CtlReply reply;
  reply.out = FormatUpdateSummary(outcome, view, images, o.json);
  return reply;
}

}  // namespace orvx
