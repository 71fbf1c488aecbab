// The SYSTEM page as the operator uses it: its tabs, the conference units, a search of two
// simulators on loopback, and a factory recovery whose push never stalls the window.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>
#include <filesystem>
#include <fstream>

#include "EditorAgainstSim.h"
#include "FakeShellSession.h"
#include "GuiTestUtil.h"
#include "SimServer.h"
#include "core/Clock.h"
#include "device/SearchSubnet.h"
#include "link/FrameChecksum.h"
#include "ui/ValueLabel.h"
#include "pages/MainDlg.h"
#include "pages/PageMessages.h"
#include "pages/SystemPage.h"
#include "session/EditorSession.h"
#include "session/ProfileRules.h"
#include "session/ProfileStore.h"
#include "ui/PngButton.h"
#include "ui/SkinComboBox.h"

namespace orvx {
namespace {

using test::App;
using test::Click;
using test::PressKey;

constexpr int kWaitMs = 15000;

/// Closes the page's open message box with `button`; false when none is open.
bool Answer(CSystemPage* page, QMessageBox::StandardButton button) {
  QMessageBox* box = OpenPageMessage(page);
  if (!box) return false;
  box->button(button)->click();
  QApplication::processEvents();
  return true;
}

class SystemPageTest : public ::testing::Test {
protected:
  void SetUp() override {
    App();
    session.state.unitCount = 2;
    dlg = std::make_unique<CMainDlg>(session, profile);
    dlg->resize(1366, 768);
    dlg->show();
    Click(dlg->ViewButtonAt(ViewButton::System));
    page = dlg->SystemPage();
  }
  test::FakeShellSession session;
  CMemoryProfile profile;
  std::unique_ptr<CMainDlg> dlg;
  CSystemPage* page = nullptr;
};

TEST_F(SystemPageTest, TabsShowTheirOwnControlsAndTheSetTabIsNeverOffered) {
  EXPECT_FALSE(page->TabButton(SystemTab::Set)->isVisible());
  EXPECT_TRUE(page->AddressEdit()->isVisible());
  EXPECT_FALSE(page->SpanTimeEdit()->isVisible()) << "the drag interval has no tab";
  Click(page->TabButton(SystemTab::Help));
  EXPECT_FALSE(page->AddressEdit()->isVisible());
  EXPECT_TRUE(page->RecoveryButton()->isVisible());
  EXPECT_TRUE(page->TabButton(SystemTab::Help)->IsChecked());
  EXPECT_FALSE(page->TabButton(SystemTab::Connect)->IsChecked());
  Click(page->TabButton(SystemTab::Display));
  EXPECT_FALSE(page->RecoveryButton()->isVisible());
  for (int i = 0; i < kUnitButtons; ++i) {
    EXPECT_EQ(page->UnitButton(i)->isVisible(), i < kUnits) << i;
    EXPECT_EQ(page->UnitButton(i)->isEnabled(), i < 2) << i;
  }
  EXPECT_TRUE(page->UnitButton(0)->IsChecked()) << "unit 1 becomes current";
  EXPECT_EQ(page->SlotList(0)->GetCount(), kSlotEntries);
  Click(page->TabButton(SystemTab::Show));
  for (int i = 0; i < kUnitButtons; ++i) EXPECT_FALSE(page->UnitButton(i)->isVisible()) << "the unit keys leave with their tab";
  // Showing the page again starts on the CONNECT tab.
  Click(dlg->ViewButtonAt(ViewButton::Matrix));
  Click(dlg->ViewButtonAt(ViewButton::System));
  EXPECT_TRUE(page->AddressEdit()->isVisible());
}

TEST_F(SystemPageTest, TheHelpTabOffersLocalAndTheRemoteKeyOnlyWithAVersionPage) {
  Click(page->TabButton(SystemTab::Help));
  EXPECT_TRUE(page->LocalButton()->isVisible());
  EXPECT_TRUE(page->LocalButton()->isEnabled());
  EXPECT_FALSE(page->RemoteButton()->isVisible());
  EXPECT_EQ(page->HardwareVersionLabel()->Text(), QString::fromUtf8("Hardware version：0.0"));
  page->SetUpdateSettings({"/nonexistent", "http://127.0.0.1:9/version"});
  EXPECT_TRUE(page->RemoteButton()->isVisible());
  EXPECT_EQ(page->OfferedVersionLabel()->Text(), QString::fromUtf8("Local version：3.0"));
  dlg->ApplyLanguage(Language::Chinese);
  EXPECT_EQ(page->RemoteButton()->text(), QString::fromUtf8("远程升级"));
  EXPECT_EQ(page->BasicVersionLabel()->Text(), QString::fromUtf8("基带版本：0.0"));
  Click(page->TabButton(SystemTab::Connect));
  EXPECT_FALSE(page->RemoteButton()->isVisible()) << "it leaves with its tab";

  // LOCAL asks first; Cancel starts nothing.
  Click(page->TabButton(SystemTab::Help));
  Click(page->LocalButton());
  QMessageBox* question = OpenPageMessage(page);
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(question->text(), QString::fromUtf8("是否要升级？"));
  Answer(page, QMessageBox::Cancel);
  EXPECT_FALSE(page->Update().Running());
  EXPECT_FALSE(dlg->Navigation().UpdateRunning());
}

// The DISPLAY tab follows the reported unit count, and CALL stands ready only while it can go.
TEST_F(SystemPageTest, TheUnitsTabFollowsTheUnitCountAndCallNeedsTheLink) {
  session.state.unitCount = 0;
  session.Report(change::kUnits);
  page->SelectTab(SystemTab::Display);
  EXPECT_FALSE(page->SlotList(0)->isEnabled()) << "no units";
  session.state.unitCount = 4;
  session.Report(change::kUnits);
  EXPECT_TRUE(page->SlotList(0)->isEnabled()) << "a count of 4 arrived: unit 1 is current";
  EXPECT_FALSE(page->CallButton()->isEnabled()) << "before CONNECT a call would go nowhere";
  EXPECT_FALSE(page->CallButton()->toolTip().isEmpty());
  session.GoOnline();
  EXPECT_TRUE(page->CallButton()->isEnabled());
  Click(page->CallButton());
  EXPECT_EQ(session.Sent(), std::vector<std::string>{CompleteFrame("%W,01,01,")});
  EXPECT_EQ(page->CallConfirmation()->Text(), QStringLiteral("PLK-700-01 called.")) << "the page says it went";
}

TEST_F(SystemPageTest, ASlotAlreadyFeedingAnotherUnitIsRefusedAndTheListShowsWhatTheSlotHolds) {
  session.GoOnline();
  session.state.unitSlots[1][2] = 5;  // unit 2 feeds CH05
  session.state.unitSlots[0][0] = 3;
  Click(page->TabButton(SystemTab::Display));
  CSkinComboBox* slot = page->SlotList(0);
  EXPECT_EQ(slot->GetCurSel(), 3);
  emit slot->DropdownSelected(slot->Id(), 5);
  QMessageBox* box = OpenPageMessage(page);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text(), "Already select.");
  EXPECT_EQ(slot->GetCurSel(), 3);
  EXPECT_EQ(session.state.unitSlots[0][0], 3);
  EXPECT_TRUE(session.Sent().empty());
  Answer(page, QMessageBox::Ok);

  emit slot->DropdownSelected(slot->Id(), 0);
  EXPECT_EQ(session.Sent().back(), CompleteFrame("%X,01,01,FFFFFFFFFF,"));

  // Reset all asks first; Cancel changes nothing.
  Click(page->ResetUnitsButton());
  ASSERT_TRUE(Answer(page, QMessageBox::Cancel));
  EXPECT_EQ(session.state.unitSlots[1][2], 5);
  Click(page->ResetUnitsButton());
  ASSERT_TRUE(Answer(page, QMessageBox::Ok));
  EXPECT_EQ(session.state.unitSlots[1][2], 0);
}

// A refused address says so until the operator corrects it, not after.
TEST_F(SystemPageTest, TheAddressRefusalGoesWhenTheAddressIsBeingCorrected) {
  auto* address = page->findChild<QLineEdit*>(QStringLiteral("DeviceAddress"));
  ASSERT_NE(address, nullptr);
  address->setText(QStringLiteral("127.0.0.300"));
  PressKey(address, Qt::Key_Return);
  EXPECT_TRUE(page->AddressRefusal()->isVisible());
  PressKey(address, Qt::Key_Backspace);
  EXPECT_FALSE(page->AddressRefusal()->isVisible());
}

// While a plan runs, a unit slot's choice goes back and says why, and RECOVERY says why it waits.
TEST_F(SystemPageTest, BusyRefusalsPutTheSlotBackAndSayWhy) {
  session.GoOnline();
  session.state.unitSlots[0][0] = 3;
  Click(page->TabButton(SystemTab::Display));
  PlanRequest recall;
  recall.change.writes.push_back({{ParamId::InLevel, 0, 0}, {20, {}}});
  recall.pauseMs = 20;
  recall.gateAll = true;
  ASSERT_NE(session.Changes().ApplyPlan(recall), 0u);
  CSkinComboBox* slot = page->SlotList(0);
  emit slot->DropdownSelected(slot->Id(), 7);
  EXPECT_EQ(slot->GetCurSel(), 3) << "the list shows what the slot holds";
  EXPECT_EQ(session.state.unitSlots[0][0], 3);
  QMessageBox* box = OpenPageMessage(page);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text().toStdString(), captions::kPlanRunning.en);
  Answer(page, QMessageBox::Ok);

  Click(page->TabButton(SystemTab::Help));
  Click(page->RecoveryButton());
  box = OpenPageMessage(page);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text().toStdString(), captions::kPlanRunning.en) << "no question while a plan runs";
  Answer(page, QMessageBox::Ok);
}

/// The page against simulators on loopback through the real session; each test connects itself.
class SystemPageAgainstSimTest : public test::EditorAgainstSim {
protected:
  static constexpr const char* kEditorIp = "127.0.0.156";

  SystemPageAgainstSimTest()
      : EditorAgainstSim(
            {.simIp = "127.0.0.157", .editorIp = kEditorIp, .connectAtStart = false, .onlineWaitMs = kWaitMs}) {}
  void SetUp() override {
    EditorAgainstSim::SetUp();
    if (dlg) page = dlg->SystemPage();
  }
  void TearDown() override {
    EditorAgainstSim::TearDown();
    if (second) second->Stop();
  }

  std::unique_ptr<CSimServer> second;
  CSystemPage* page = nullptr;
};

TEST_F(SystemPageAgainstSimTest, SearchListsBothProcessorsAndAClickedRowBecomesTheDeviceAddress) {
  SimServerSettings s;
  s.ip = "127.0.0.158";
  s.port = sim->BoundPort();
  s.replyPort = sim->ReplyPort();
  second = std::make_unique<CSimServer>(s, clock);
  ASSERT_TRUE(second->Start());
  SearchSettings settings;
  settings.localIp = kEditorIp;
  settings.localPort = sim->ReplyPort();
  settings.remotePort = sim->BoundPort();
  settings.hosts = {155, 159};
  session->SetSearchSubnets(std::make_unique<CFixedSubnetProvider>(SearchSubnet{"lo", kEditorIp, "127.0.0", 156}),
                            settings);
  Connect();
  dlg->PressView(ViewButton::System);

  Click(page->SearchButton());
  EXPECT_FALSE(session->State().link.online) << "the link let go first";
  QTableWidget* list = page->DeviceList();
  ASSERT_TRUE(test::WaitFor([&] { return list->rowCount() == 2 && session->Search().answers >= 4; }, kWaitMs));
  test::WaitFor([] { return false; }, 100);  // a repeated answer has had its chance to add a row
  ASSERT_EQ(list->rowCount(), 2);
  EXPECT_EQ(list->item(0, 0)->text(), "127.0.0.157");
  EXPECT_EQ(list->item(1, 0)->text(), "127.0.0.158");
  EXPECT_EQ(list->item(1, 1)->text(), QString::number(sim->BoundPort()));
  EXPECT_FALSE(page->SearchExplanation()->isVisible());

  emit list->cellClicked(1, 0);
  EXPECT_EQ(session->State().link.deviceIp, "127.0.0.158");
  EXPECT_EQ(page->AddressEdit()->text(), "127.0.0.158");
  EXPECT_EQ(profile.Read(kProfileSection, kProfileHostIp), "127.0.0.158");
}

TEST_F(SystemPageAgainstSimTest, RecoveryPushShowsProgressAndNeverStallsTheWindow) {
  Connect();
  session->Changes().Set({ParamId::InLevel, 0, 0}, {10, {}});
  ASSERT_TRUE(test::WaitFor([&] { return sim->StateSnapshot().in[0].level == 10; }, kWaitMs));
  dlg->PressView(ViewButton::System);
  Click(page->TabButton(SystemTab::Help));
  Click(page->RecoveryButton());
  QMessageBox* question = OpenPageMessage(page);
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(question->text(), "If do you recovery the device? ");

  // The OK handler alone: the factory values written, the views told, the push queued.
  QElapsedTimer call;
  call.start();
  question->button(QMessageBox::Ok)->click();
  const qint64 click = call.elapsed();
  EXPECT_TRUE(dlg->Navigation().UpdateRunning()) << "the group keys are held while it runs";
  QProgressBar* bar = page->UpdateProgress();
  EXPECT_TRUE(bar->isVisible());
  EXPECT_FALSE(page->RecoveryButton()->isEnabled()) << "not twice at once";

  int progressSeen = 0;
  int lastValue = -1;
  const qint64 worst = test::WorstLoopGap([&] { return !page->Controller().RecoveryRunning(); }, 30000,
                                          [&] {
                                            if (bar->isVisible() && bar->value() != lastValue) {
                                              lastValue = bar->value();
                                              ++progressSeen;
                                            }
                                          });
  ASSERT_FALSE(page->Controller().RecoveryRunning()) << "the push never finished";
  EXPECT_LE(click, 20) << "the click took " << click << " ms";
  EXPECT_GE(call.elapsed(), 5000) << "the push kept its pauses";
  EXPECT_LE(worst, 20) << "the window stalled for " << worst << " ms";
  EXPECT_GT(progressSeen, 20) << "the progress bar moved along";
  ASSERT_TRUE(test::WaitFor([&] { return OpenPageMessage(page) != nullptr; }, 2000));
  RecordProperty("worstGapMs", static_cast<int>(worst));
  RecordProperty("clickMs", static_cast<int>(click));
  EXPECT_EQ(OpenPageMessage(page)->text(), "Reset successfully.");
  EXPECT_FALSE(dlg->Navigation().UpdateRunning());
  EXPECT_TRUE(page->RecoveryButton()->isEnabled());
  EXPECT_EQ(dlg->VisiblePage(), nullptr) << "back on the first page";
  EXPECT_EQ(dlg->Navigation().Group(), 1);
  EXPECT_TRUE(test::WaitFor([&] { return sim->StateSnapshot().in[0].level == 60; }, kWaitMs));
  Answer(page, QMessageBox::Ok);
}

TEST_F(SystemPageAgainstSimTest, LocalUpdateNeverStallsTheWindowShowsProgressAndEndsOffline) {
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "orvx-gui-update";
  std::filesystem::create_directories(dir);
  for (const char* name : {"Digital-ORVX64Q-3.bin", "DSP-ORVX64Q-3.bin"})
    std::ofstream(dir / name, std::ios::binary) << std::string(2500, 'x');
  page->SetUpdateSettings({dir.string(), {}});
  Connect();
  dlg->PressView(ViewButton::System);
  Click(page->TabButton(SystemTab::Help));
  Click(page->LocalButton());
  ASSERT_TRUE(Answer(page, QMessageBox::Ok)) << "LOCAL asks first";
  EXPECT_TRUE(dlg->Navigation().UpdateRunning()) << "the group keys are held while it runs";
  EXPECT_FALSE(page->ConnectButton()->isEnabled()) << "the update holds the port";

  // A second LOCAL while it runs is refused with the system's words.
  Click(page->LocalButton());
  QMessageBox* refusal = OpenPageMessage(page);
  ASSERT_NE(refusal, nullptr);
  EXPECT_EQ(refusal->text(), "Updateing.......");
  Answer(page, QMessageBox::Ok);

  int barMoves = 0;
  int last = -1;
  QString status;
  const qint64 worst = test::WorstLoopGap([&] { return !page->Update().Running(); }, 60000, [&] {
    if (page->UpdateProgress()->isVisible() && page->UpdateProgress()->value() != last) {
      last = page->UpdateProgress()->value();
      ++barMoves;
    }
    if (!page->UpdateStatus()->Text().isEmpty()) status = page->UpdateStatus()->Text();
  });
  ASSERT_FALSE(page->Update().Running()) << "the update never ended";
  EXPECT_LE(worst, 30) << "the window stalled for " << worst << " ms";
  EXPECT_GE(barMoves, 2);
  EXPECT_EQ(status, "DSP-ORVX64Q-3.bin (DSP): block 3 of 3");
  ASSERT_TRUE(test::WaitFor([&] { return OpenPageMessage(page) != nullptr; }, 2000));
  EXPECT_EQ(OpenPageMessage(page)->text(), "Update successfully");
  Answer(page, QMessageBox::Ok);
  EXPECT_EQ(sim->ReceivedImages().size(), 2u);
  EXPECT_FALSE(dlg->Navigation().UpdateRunning());
  EXPECT_FALSE(session->State().link.online) << "the link stays closed";
  EXPECT_TRUE(page->ConnectButton()->isEnabled());
  EXPECT_EQ(page->HardwareVersionLabel()->Text(), QString::fromUtf8("Hardware version：3.2"));
  EXPECT_EQ(page->BasicVersionLabel()->Text(), QString::fromUtf8("Basic version：3.0"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orvx
