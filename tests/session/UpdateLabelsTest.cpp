#include <gtest/gtest.h>

#include "session/UpdateLabels.h"

namespace orvx {
namespace {

TEST(UpdateLabels, ShowTheReportedVersionUntilAnUpdateAskedThenWhatItLearnt) {
  CDeviceState state;
  state.ResetToDefaults();
  SetNameBytes(state.firmwareVersion, "32");
  UpdateView view;
  UpdateLabels l = MakeUpdateLabels(view, state, Language::English);
  EXPECT_EQ(l.hardware, "Hardware version：3.2");
  EXPECT_EQ(l.basic, "Basic version：0.0");
  EXPECT_EQ(l.offered, "Local version：3.0");

  view.versions = UpdateVersions{UpdateKind::Local, "31", "300", "30"};
  l = MakeUpdateLabels(view, state, Language::Chinese);
  EXPECT_EQ(l.hardware, "固件版本：3.1");
  EXPECT_EQ(l.basic, "基带版本：3.0");

  view.versions = UpdateVersions{UpdateKind::Remote, "31", "", "33"};
  l = MakeUpdateLabels(view, state, Language::English);
  EXPECT_EQ(l.hardware, "Current version：3.1");
  EXPECT_EQ(l.offered, "Remote version：3.3");
  EXPECT_EQ(MakeUpdateLabels(view, state, Language::Chinese).offered, "最新升级版本：3.3");
}

TEST(UpdateLabels, TheBackupLineNamesTheKeptSceneOrSaysNoneWasKept) {
  CDeviceState state;
  state.ResetToDefaults();
  UpdateView view;
  EXPECT_EQ(MakeUpdateLabels(view, state, Language::English).backup, "") << "before any update";
  view.backup = BackupResult{BackupStatus::Saved, 5, "BACKUP 2026-12-11 06:30", {}};
  EXPECT_EQ(MakeUpdateLabels(view, state, Language::English).backup,
            "Settings kept as scene 5: BACKUP 2026-12-11 06:30");
  EXPECT_EQ(MakeUpdateLabels(view, state, Language::Chinese).backup, "当前设置已保存为场景 5：BACKUP 2026-12-11 06:30");
  view.backup = BackupResult{BackupStatus::NoFreeId, 0, {}, {}};
  EXPECT_EQ(MakeUpdateLabels(view, state, Language::English).backup, "No backup scene was kept");
}

TEST(UpdateLabels, ProgressNamesTheImageAndTheBarStaysInItsAnnouncedRange) {
  UpdateProgress p;
  p.imageName = "DSP-ORVX64Q-3.bin";
  p.target = UpdateTarget::Dsp;
  p.blocksDone = 3;
  p.blocksAnnounced = 2;  // 2,048 bytes: the checksum takes a third block
  p.blocksSent = 3;
  EXPECT_EQ(UpdateProgressText(p, Language::English), "DSP-ORVX64Q-3.bin (DSP): block 3 of 3");
  EXPECT_EQ(UpdateProgressText(p, Language::Chinese), "DSP-ORVX64Q-3.bin（DSP）：第 3 块，共 3 块");
  EXPECT_EQ(UpdateProgressBar(p).maximum, 2);
  EXPECT_EQ(UpdateProgressBar(p).value, 2);
  p.blocksDone = 1;
  EXPECT_EQ(UpdateProgressBar(p).value, 1);
}

}  // namespace
}  // namespace orvx
