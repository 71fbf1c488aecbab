#include "session/UpdateLabels.h"

#include <algorithm>

#include "device/UpdateTexts.h"

namespace orvx {
namespace {

constexpr Caption kDigital{"Digital", "数字"};
constexpr Caption kDsp{"DSP", "DSP"};

std::string BackupLabel(const std::optional<BackupResult>& backup, Language language) {
  if (!backup) return {};
  if (backup->status != BackupStatus::Saved)
    return language == Language::Chinese ? "未保存备份场景" : "No backup scene was kept";
  const std::string id = std::to_string(backup->id);
  if (language == Language::Chinese) return "当前设置已保存为场景 " + id + "：" + backup->name;
  return "Settings kept as scene " + id + ": " + backup->name;
}

}  // namespace

UpdateLabels MakeUpdateLabels(const UpdateView& view, const CDeviceState& state, Language language) {
  // Before any update has asked, the firmware version the connection reported stands in.
  UpdateVersions v;
  v.hardware = NameBytes(state.firmwareVersion);
  v.basic = kUnknownBasicVersion;
  v.offered = kShippedVersion;
  if (view.versions) v = *view.versions;
  const bool remote = v.kind == UpdateKind::Remote;
  return {VersionLabel(remote ? captions::kCurrentVersion : captions::kHardwareVersion, v.hardware, kTenths, language),
          VersionLabel(captions::kBasicVersion, v.basic.empty() ? kUnknownBasicVersion : v.basic, kHundredths,
                       language),
          VersionLabel(remote ? captions::kRemoteVersion : captions::kLocalVersion, v.offered, kTenths, language),
          BackupLabel(view.backup, language)};
}

std::string UpdateProgressText(const UpdateProgress& p, Language language) {
  const std::string target = Text(p.target == UpdateTarget::Digital ? kDigital : kDsp, language);
  const std::string done = std::to_string(p.blocksDone);
  const std::string all = std::to_string(p.blocksSent);
  if (language == Language::Chinese) return p.imageName + "（" + target + "）：第 " + done + " 块，共 " + all + " 块";
  return p.imageName + " (" + target + "): block " + done + " of " + all;
}

ProgressBarValue UpdateProgressBar(const UpdateProgress& p) {
  const int maximum = std::max(1, p.blocksAnnounced);
  return {maximum, std::clamp(p.blocksDone, 0, maximum)};
}

}  // namespace orvx
