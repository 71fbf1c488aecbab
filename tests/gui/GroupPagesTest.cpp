// The MODE and GROUP pages and the main window's group keys, on the real change path over a
// recording send queue.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>

#include "FakeShellSession.h"
#include "GuiTestUtil.h"
#include "link/Commands.h"
#include "pages/AutoMixerPage.h"
#include "pages/GroupPage.h"
#include "pages/PageMessages.h"
#include "pages/MainDlg.h"
#include "session/ProfileStore.h"
#include "ui/PngButton.h"
#include "ui/SkinComboBox.h"
#include "ui/ValueLabel.h"

namespace orvx {
namespace {

using test::Click;

class GroupPagesTest : public ::testing::Test {
protected:
  void SetUp() override {
    test::App();
    dlg = std::make_unique<CMainDlg>(session, profile);
    dlg->resize(1366, 768);
    dlg->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    for (QMessageBox* box : dlg->findChildren<QMessageBox*>()) delete box;
  }
  /// "Set successfully." boxes open now; closes them.
  int TakeConfirmations() {
    QApplication::processEvents();
    int n = 0;
    for (QMessageBox* box : dlg->findChildren<QMessageBox*>()) {
      EXPECT_EQ(box->text(), "Set successfully.");
      ++n;
      delete box;
    }
    return n;
  }
  static std::string Field(const std::string& frame, int i) {
    std::size_t start = 0;
    for (int k = 0; k < i; ++k) start = frame.find(',', start) + 1;
    return frame.substr(start, frame.find(',', start) - start);
  }

  test::FakeShellSession session;
  CMemoryProfile profile;
  std::unique_ptr<CMainDlg> dlg;
};

TEST_F(GroupPagesTest, GlobalListsStoreTheirConversionsSendMAndConfirmOnlineAndOffline) {
  dlg->PressView(ViewButton::Mode);
  CAutoMixerPage* page = dlg->AutoMixerPage();
  ASSERT_EQ(dlg->VisiblePage(), page);
  session.GoOnline();
  struct Case {
    CSkinComboBox* list;
    int row;
    int index;  // into automix
    int stored;
    int field;  // of "%M"
    const char* hex;
  };
  const Case cases[] = {
      {page->HoldTimeList(), 99, kHoldTime, 100, 5, "64"},  // 5000 ms
      {page->NomList(), 10, kNom, 30, 7, "1E"},             // 0 dB
      {page->NomList(), 0, kNom, 20, 7, "14"},              // -10 dB
      {page->MaxOpenList(), 3, kMaxOpen, 4, 3, "04"},
      {page->AttnList(), 60, kClosedAttn, 60, 6, "3C"},  // 0 dB
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hex);
    c.list->ChooseRow(c.row);
    EXPECT_EQ(session.state.automix[c.index], c.stored);
    const auto sent = session.Sent();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back(), FrameM(session.state));
    EXPECT_EQ(Field(sent.back(), c.field), c.hex);
    EXPECT_EQ(TakeConfirmations(), 1);
  }
  EXPECT_EQ(page->HoldTimeList()->GetText(99), "5000 ms");

  session.state.link.online = false;
  const std::size_t before = session.Sent().size();
  page->MaxOpenList()->ChooseRow(7);
  EXPECT_EQ(session.state.automix[kMaxOpen], 8);
  EXPECT_EQ(session.Sent().size(), before) << "offline: nothing sent";
  EXPECT_EQ(TakeConfirmations(), 1) << "confirmed offline too";
}

TEST_F(GroupPagesTest, SyncLinksTheListsAndSendsNothingItself) {
  dlg->PressView(ViewButton::Mode);
  CAutoMixerPage* page = dlg->AutoMixerPage();
  session.GoOnline();
  ASSERT_EQ(page->SyncToggle()->text(), "OFF");
  Click(page->SyncToggle());
  EXPECT_EQ(session.state.sync, 1);
  EXPECT_EQ(page->SyncToggle()->text(), "ON");
  EXPECT_TRUE(session.Sent().empty()) << "SYNC is the editor's own";

  page->ThresholdList(2)->ChooseRow(50);  // -30 dB on CH 3
  for (int r = 0; r < kAutomixInputs; ++r) EXPECT_EQ(page->ThresholdList(r)->GetCurSel(), 50);
  const auto sent = session.Sent();
  ASSERT_EQ(sent.size(), 9u);
  EXPECT_EQ(sent.front(), FrameL(session.state, 3));
  EXPECT_EQ(TakeConfirmations(), 0);
}

TEST_F(GroupPagesTest, ControlGroupRefusesTheOtherKindAndDeselectingKeepsFlags) {
  dlg->PressView(ViewButton::Groups);
  CGroupPage* page = dlg->GroupPage();
  ASSERT_EQ(dlg->VisiblePage(), page);
  Click(page->ControlSelector(1));
  EXPECT_EQ(page->SelectedControlGroup(), 1);
  EXPECT_FALSE(dlg->ControlKey(2)->IsChecked()) << "editing a group does not switch it on";

  Click(page->ControlMember(true, 2));  // output 3
  EXPECT_EQ(session.state.controlGroups[1].outputs[2], 1);
  Click(page->ControlMember(false, 0));  // an input: refused
  EXPECT_EQ(session.state.controlGroups[1].inputs[0], 0);
  EXPECT_FALSE(page->ControlMember(false, 0)->IsChecked());
  EXPECT_EQ(session.state.controlGroups[1].memberCount, 1);
  // The output set of function switches: LIMIT shown, COMP and SOURCE not.
  EXPECT_TRUE(page->FunctionButton(2)->isVisible());
  EXPECT_FALSE(page->FunctionButton(1)->isVisible());
  EXPECT_FALSE(page->FunctionButton(6)->isVisible());
  Click(page->FunctionButton(2));
  EXPECT_EQ(session.state.controlGroups[1].switches[5], 1);

  page->NameEdit()->setFocus();
  page->NameEdit()->setText(QStringLiteral("Stage"));
  emit page->NameEdit()->editingFinished();
  EXPECT_EQ(NameBytes(session.state.controlGroups[1].name), "Stage");

  Click(page->ControlSelector(1));  // the selected one again: lets the group go
  EXPECT_EQ(page->SelectedControlGroup(), -1);
  EXPECT_FALSE(page->ControlMember(true, 2)->IsChecked());
  EXPECT_TRUE(page->NameEdit()->text().isEmpty());
  EXPECT_EQ(session.state.controlGroups[1].outputs[2], 1) << "deselecting changes no flag";

  page->PressMuteGroup(0);
  Click(page->MuteMember(false, 1));
  Click(page->MuteMember(true, 7));
  EXPECT_EQ(session.state.muteGroups[0].inputs[1] + session.state.muteGroups[0].outputs[7], 2) << "mixing is free";
  page->PressMuteGroup(0);
  EXPECT_FALSE(page->MuteMember(false, 1)->IsChecked());
  EXPECT_EQ(session.state.muteGroups[0].inputs[1], 1);
  EXPECT_TRUE(session.Sent().empty()) << "the page sends nothing";
}

TEST_F(GroupPagesTest, MuteKeyAppliesTheGroupAndLightsWhileApplied) {
  session.state.muteGroups[2].inputs[1] = 1;
  session.state.muteGroups[2].inputs[0] = 1;
  session.state.muteGroups[2].outputs[0] = 1;
  session.GoOnline();
  Click(dlg->MuteKey(3));
  EXPECT_TRUE(dlg->MuteKey(3)->IsChecked());
  EXPECT_EQ(session.state.in[0].mute + session.state.in[1].mute + session.state.out[0].mute, 3);
  EXPECT_EQ(session.Sent(),
            (std::vector<std::string>{FrameA(session.state, 1), FrameA(session.state, 2), FrameA(session.state, 13)}));
  // A report that opens a member puts the key out; pressing it then mutes the group again.
  session.state.out[0].mute = 0;
  session.Report(change::kMutes);
  EXPECT_FALSE(dlg->MuteKey(3)->IsChecked());
  Click(dlg->MuteKey(3));
  EXPECT_EQ(session.state.out[0].mute, 1);
  session.Sent();  // the plan has gone: its members are free again
  Click(dlg->MuteKey(3));
  EXPECT_EQ(session.state.in[0].mute + session.state.in[1].mute + session.state.out[0].mute, 0);
  EXPECT_FALSE(dlg->MuteKey(3)->IsChecked());
  Click(dlg->MuteKey(4));  // an empty group does nothing
  EXPECT_FALSE(dlg->MuteKey(4)->IsChecked());
}

// While a plan runs, a mute-group key and CLEAR MUTE that it gates go back and say why, and the
// header shows the plan's progress whatever page is open.
TEST_F(GroupPagesTest, BusyRefusalsPutTheKeyBackSayWhyAndTheHeaderShowsTheProgress) {
  session.state.muteGroups[0].inputs[0] = 1;
  session.GoOnline();
  PlanRequest recall;  // a whole-device plan, as a recovery or a scene recall
  for (int r = 0; r < kWireInputs; ++r) recall.change.writes.push_back({{ParamId::InLevel, r, 0}, {20, {}}});
  recall.pauseMs = 20;
  recall.gateAll = true;
  ASSERT_NE(session.Changes().ApplyPlan(recall), 0u);
  dlg->PressView(ViewButton::Matrix);
  auto* bar = dlg->findChild<QProgressBar*>(QStringLiteral("PlanProgress"));
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->maximum(), kWireInputs);
  EXPECT_NE(bar->text().indexOf(QStringLiteral("0 / 12")), -1) << bar->text().toStdString();

  Click(dlg->MuteKey(1));
  EXPECT_FALSE(dlg->MuteKey(1)->IsChecked()) << "the key goes back";
  EXPECT_EQ(session.state.in[0].mute, 0);
  QMessageBox* box = OpenPageMessage(dlg.get());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text().toStdString(), captions::kPlanRunning.en);
  box->close();

  session.Sent();  // the plan has gone
  dlg->ShowPlanProgress();
  EXPECT_FALSE(bar->isVisible());
  Click(dlg->MuteKey(1));
  EXPECT_EQ(session.state.in[0].mute, 1);
}

// A C GROUPS key switches its group's link on and off: lit while on, sending nothing itself, one
// step of the history; the GROUP page's selection has nothing to do with it.
TEST_F(GroupPagesTest, AControlKeySwitchesItsGroupsLinkAndIsLitWhileOn) {
  session.GoOnline();
  Click(dlg->ControlKey(3));
  EXPECT_EQ(session.state.controlGroupOn[2], 1);
  EXPECT_TRUE(dlg->ControlKey(3)->IsChecked());
  EXPECT_FALSE(dlg->ControlKey(2)->IsChecked());
  EXPECT_EQ(dlg->GroupPage()->SelectedControlGroup(), -1);
  EXPECT_TRUE(session.Sent().empty());
  ASSERT_TRUE(session.Changes().Undo());
  QApplication::processEvents();
  EXPECT_FALSE(dlg->ControlKey(3)->IsChecked()) << "the key follows the state";
  Click(dlg->ControlKey(3));
  Click(dlg->ControlKey(3));
  EXPECT_EQ(session.state.controlGroupOn[2], 0);
  EXPECT_FALSE(dlg->ControlKey(3)->IsChecked());
}

// A control group's name longer than its field is refused with the limit, not cut without a word.
TEST_F(GroupPagesTest, AGroupNameTooLongIsRefusedWithItsLimit) {
  dlg->PressView(ViewButton::Groups);
  Click(dlg->GroupPage()->ControlSelector(0));
  auto* name = dlg->GroupPage()->findChild<QLineEdit*>(QStringLiteral("GroupName"));
  ASSERT_NE(name, nullptr);
  name->setText(QStringLiteral("STAGE LEFT PODIUM"));
  emit name->editingFinished();
  EXPECT_EQ(NameBytes(session.state.controlGroups[0].name), "");
  EXPECT_NE(name->toolTip().indexOf(QStringLiteral("At most 15 bytes")), -1) << name->toolTip().toStdString();
  EXPECT_EQ(name->text(), QStringLiteral("STAGE LEFT PODIUM")) << "kept for correcting";
  name->setText(QStringLiteral("STAGE LEFT"));
  emit name->editingFinished();
  EXPECT_EQ(NameBytes(session.state.controlGroups[0].name), "STAGE LEFT");
  EXPECT_TRUE(name->toolTip().isEmpty());
}

// One name per channel: the MODE page names each list by the channel's own name, in a label.
TEST_F(GroupPagesTest, TheModePageNamesItsChannelsAsTheStripsDo) {
  SetNameBytes(session.state.in[2].shortName, "LECTERN");
  session.Report(change::kNames);
  dlg->PressView(ViewButton::Mode);
  auto* label = dlg->AutoMixerPage()->findChild<CValueLabel*>(QStringLiteral("ChannelName3"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Text(), QStringLiteral("LECTERN"));
  EXPECT_EQ(dlg->AutoMixerPage()->findChild<CValueLabel*>(QStringLiteral("ChannelName1"))->Text(),
            QStringLiteral("CH 1"));
  // A change on the page reaches the read-out like a strip's.
  dlg->AutoMixerPage()->ThresholdList(2)->ChooseRow(40);
  EXPECT_EQ(dlg->ChannelNameLabel()->Text(), QStringLiteral("LECTERN"));
  EXPECT_FALSE(dlg->ValueBox()->text().isEmpty());
}

// "Set successfully." confirms only a value that was stored: a choice a running plan refuses says
// why, also when the list already stood on it.
TEST_F(GroupPagesTest, TheModePageConfirmsOnlyWhatWasStored) {
  dlg->PressView(ViewButton::Mode);
  CAutoMixerPage* page = dlg->AutoMixerPage();
  session.GoOnline();
  PlanRequest recall;
  recall.change.writes.push_back({{ParamId::InLevel, 0, 0}, {20, {}}});
  recall.pauseMs = 20;
  recall.gateAll = true;
  session.state.automix[kMaxOpen] = 2;
  session.Report(change::kAutomix);
  ASSERT_NE(session.Changes().ApplyPlan(recall), 0u);
  const int stored = 2;
  for (const int row : {3, stored - 1}) {
    SCOPED_TRACE(row);
    page->MaxOpenList()->ChooseRow(row);
    EXPECT_EQ(session.state.automix[kMaxOpen], stored);
    QApplication::processEvents();
    QMessageBox* box = OpenPageMessage(page);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text().toStdString(), captions::kPlanRunning.en);
    EXPECT_EQ(page->MaxOpenList()->GetCurSel(), stored - 1) << "the list shows the stored value again";
    delete box;
  }
}

}  // namespace
}  // namespace orvx
