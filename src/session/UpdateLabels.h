#pragma once
/// The version labels of the update tab, from what the last update learnt or, before any, from
/// the processor's report.

#include <string>

#include "core/DeviceState.h"
#include "session/UpdateController.h"

namespace orvx {

struct UpdateLabels {
  std::string hardware;  ///< "Hardware version：3.2", during a remote update "Current version：3.2"
  std::string basic;     ///< "Basic version：3.0"
  std::string offered;   ///< "Local version：3.0", during a remote update "Remote version：3.3"
  /// "Settings kept as scene 5: BACKUP 2026-12-11 06:30" once the update has tried its backup
  /// (or that none was kept); empty before.
  std::string backup;
};

UpdateLabels MakeUpdateLabels(const UpdateView& view, const CDeviceState& state, Language language);

/// "Digital-ORVX64Q-3.bin (Digital): block 3 of 17": the image on its way and its blocks (of all
/// that are sent, the checksum's block counted).
std::string UpdateProgressText(const UpdateProgress& progress, Language language);

/// The progress bar: its range is the count the start announced; the block carrying only the
/// checksum can go one past it, the bar then stays full.
struct ProgressBarValue {
  int maximum = 1;
  int value = 0;
};
ProgressBarValue UpdateProgressBar(const UpdateProgress& progress);

}  // namespace orvx
