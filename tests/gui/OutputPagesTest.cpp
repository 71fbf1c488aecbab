#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <cstdio>

#include "FakeShellSession.h"
#include "dsp/GeqResponse.h"
#include "GuiTestUtil.h"
#include "link/FrameChecksum.h"
#include "pages/EqMiniature.h"
#include "pages/InputStrip.h"
#include "pages/MainDlg.h"
#include "pages/MatrixPage.h"
#include "pages/MixerDetailPanel.h"
#include "pages/MixerSidePanel.h"

#include <QLabel>
#include "pages/OutputStrip.h"
#include "session/ClearActions.h"
#include "session/MainLayout.h"
#include "session/ProfileStore.h"
#include "ui/PngButton.h"
#include "ui/SkinComboBox.h"
#include "ui/SkinSlider.h"
#include "ui/ValueLabel.h"

namespace orvx {
namespace {

using test::App;
using test::Click;

std::string Frame(const char* text) { return CompleteFrame(text); }

class OutputPagesTest : public ::testing::Test {
protected:
  void SetUp() override {
    App();
    session.state.link.deviceIp = "127.0.0.111";
    session.GoOnline();
  }
  test::FakeShellSession session;
};

TEST_F(OutputPagesTest, CrosspointSendsTheWholeRoutingOfItsInputAndTwiceRestores) {
  for (auto& in : session.state.in)
    for (auto& flag : in.route) flag = 1;
  CMatrixPage page(session);
  page.resize(1400, 600);
  page.Refresh();
  ASSERT_TRUE(page.Crosspoint(3, 5)->IsChecked()) << "every input feeds every output at start";

  Click(page.Crosspoint(3, 5));
  EXPECT_EQ(session.state.in[4].route[2], 0);
  EXPECT_FALSE(page.Crosspoint(3, 5)->IsChecked());
  session.Sent();  // the queue's thread sends it before the second click
  Click(page.Crosspoint(3, 5));
  EXPECT_EQ(session.state.in[4].route[2], 1);
  EXPECT_EQ(session.Sent(), (std::vector<std::string>{Frame("%B,01,05,11011111,"), Frame("%B,01,05,11111111,")}));

  Click(page.Crosspoint(8, 12));
  EXPECT_EQ(session.Sent().back(), Frame("%B,01,0C,11111110,"));
}

TEST_F(OutputPagesTest, MatrixCaptionsFollowTheLabelTexts) {
  CMatrixPage page(session);
  SetNameBytes(session.state.out[2].shortName, "SPK L");
  SetNameBytes(session.state.in[11].shortName, "PODIUM");
  page.Refresh(change::kNames);
  EXPECT_EQ(page.RowCaption(3)->Text(), QStringLiteral("SPK L"));
  EXPECT_EQ(page.ColumnCaption(12)->Text(), QStringLiteral("PODIUM"));
  EXPECT_EQ(page.RowCaption(1)->Text(), QString::fromStdString(NameBytes(session.state.out[0].shortName)));
}

class OutputStripTest : public OutputPagesTest {
protected:
  void SetUp() override {
    OutputPagesTest::SetUp();
    strip = std::make_unique<COutputStrip>(session);
    strip->resize(150, 700);
    strip->ShowForChannel(0);
  }
  std::unique_ptr<COutputStrip> strip;
};

TEST_F(OutputStripTest, EveryControlSendsItsOwnFrameForItsOutput) {
  session.state.out[0].lineLevel = 0;
  strip->Refresh();
  emit strip->Fader()->SliderReleased(strip->Fader()->Id(), 0);  // the top
  session.Sent();  // gone before the next "%A" could replace it in the queue
  emit strip->DelayList()->DropdownSelected(strip->DelayList()->Id(), 200);
  Click(strip->LineButton());
  Click(strip->FbkButton());
  Click(strip->MuteButton());
  EXPECT_EQ(session.state.out[0].level, 70);
  EXPECT_EQ(session.state.out[0].outSettingJ, 200);
  EXPECT_EQ(session.Sent(),
            (std::vector<std::string>{Frame("%A,01,0D,00,46,"), Frame("%J,01,01,01,C8,"), Frame("%I,01,01,01,"),
                                      Frame("%K,01,01,01,"), Frame("%A,01,0D,01,46,")}));

  // The spare strip of the channel view, given output 8, addresses output 8.
  strip->ShowForChannel(7);
  Click(strip->FbkButton());
  EXPECT_EQ(session.Sent().back(), Frame("%K,01,08,01,"));
}

TEST_F(OutputStripTest, TheMiniatureShowsTheGraphicEqResponseAndDimsWhenItIsBypassed) {
  OutputChannel& out = session.state.out[0];
  std::array<double, kGeqBandCount> gains{};
  for (auto& band : out.geq) band.gain = 150;
  out.geq[17].gain = 270;  // +12 dB at 1 kHz
  gains[17] = 12.0;
  out.geqOn = 1;
  strip->Refresh(change::kEq);
  const auto& curve = strip->EqMiniature()->Curve();
  ASSERT_GE(curve.size(), 2u);
  EXPECT_EQ(curve, GeqCurve(gains, static_cast<int>(curve.size())));
  EXPECT_GT(*std::max_element(curve.begin(), curve.end()), 10.0);
  EXPECT_FALSE(strip->EqMiniature()->Dimmed());

  out.geqOn = 0;
  strip->Refresh(change::kEq);
  EXPECT_TRUE(strip->EqMiniature()->Dimmed());
  EXPECT_EQ(strip->EqMiniature()->Curve(), GeqCurve(gains, static_cast<int>(curve.size()))) << "the curve stays";
}

TEST_F(OutputStripTest, DelayListHoldsHalfMillisecondStepsInBothLanguages) {
  for (Language language : {Language::English, Language::Chinese}) {
    strip->ApplyLanguage(language);
    ASSERT_EQ(strip->DelayList()->GetCount(), 201);
    EXPECT_EQ(strip->DelayList()->GetText(0), QStringLiteral("0.0 ms"));
    EXPECT_EQ(strip->DelayList()->GetText(1), QStringLiteral("0.5 ms"));
    EXPECT_EQ(strip->DelayList()->GetText(200), QStringLiteral("100.0 ms"));
  }
  // A rebuilt list shows the stored delay, not its first row.
  session.state.out[0].outSettingJ = 37;
  strip->ApplyLanguage(Language::English);
  EXPECT_EQ(strip->DelayList()->GetCurSel(), 37);
}

TEST_F(OutputStripTest, LineMicCaptionFollowsTheFlagInEitherLanguage) {
  for (Language language : {Language::English, Language::Chinese}) {
    SCOPED_TRACE(static_cast<int>(language));
    session.state.language = language;
    strip->ApplyLanguage(language);
    session.state.out[0].lineLevel = 0;
    strip->Refresh(change::kLineLevels);
    EXPECT_EQ(strip->LineButton()->text(), QStringLiteral("MIC"));
    Click(strip->LineButton());
    EXPECT_EQ(session.state.out[0].lineLevel, 1);
    EXPECT_EQ(strip->LineButton()->text(), QStringLiteral("LINE"));
    Click(strip->LineButton());
    EXPECT_EQ(strip->LineButton()->text(), QStringLiteral("MIC"));
  }
  EXPECT_EQ(strip->LimiterButton()->text(), QStringLiteral("限幅器"));
}

TEST_F(OutputStripTest, OfflineTheStripStoresAndSendsNothing) {
  session.state.link.online = false;
  emit strip->DelayList()->DropdownSelected(strip->DelayList()->Id(), 12);
  Click(strip->FbkButton());
  Click(strip->MuteButton());
  EXPECT_EQ(session.state.out[0].outSettingJ, 12);
  EXPECT_EQ(session.state.out[0].outSettingK, 1);
  EXPECT_EQ(session.state.out[0].mute, 1);
  EXPECT_TRUE(session.Sent().empty());
}

TEST_F(OutputStripTest, SharedWidgetsSitWhereTheOutputLayoutPutsThem) {
  EXPECT_EQ(strip->Fader()->y(), 230) << "not the input strip's 290";
  EXPECT_EQ(strip->MuteButton()->y(), 520);
  EXPECT_EQ(strip->FbkButton()->y(), 550);
  EXPECT_EQ(strip->NameButton()->y(), 580);
  EXPECT_LE(strip->MuteButton()->geometry().bottom(), 550) << "MUTE ends above FBK";
  CInputStrip input(session);
  input.resize(150, 700);
  input.ShowForChannel(0);
  EXPECT_EQ(input.Fader()->y(), CChannelStrip::kFaderTop);
}

class SidePanelWindowTest : public OutputPagesTest {
protected:
  void SetUp() override {
    OutputPagesTest::SetUp();
    dlg = std::make_unique<CMainDlg>(session, profile);
    dlg->resize(1366, 768);
    dlg->show();
    QApplication::processEvents();
    w = dlg->StripWidth();
  }
  CMixerSidePanel* Panel() const { return dlg->SidePanel(); }
  std::vector<int> ShownRecords(bool output) const {
    std::vector<int> records;
    for (CChannelStrip* s : dlg->VisibleStrips())
      if (s->Slot().output == output) records.push_back(s->Slot().record);
    return records;
  }
  CMemoryProfile profile;
  std::unique_ptr<CMainDlg> dlg;
  int w = 0;
};

TEST_F(SidePanelWindowTest, ModesDrawMembersTheBusStripAndTheDetailPanel) {
  ASSERT_TRUE(Panel()->isVisible());
  EXPECT_LE(Panel()->geometry().right(), dlg->width()) << "the panel is inside the window at 1366x768";
  EXPECT_LE(Panel()->geometry().bottom(), dlg->height());

  Click(Panel()->KeyButton(CMixerSidePanel::Key::Aux));
  Click(Panel()->BusKey(3));  // AUX3 = bus 5 = output 5
  Click(Panel()->KeyButton(CMixerSidePanel::Key::AuxReturn));
  Click(Panel()->KeyButton(CMixerSidePanel::Key::System));
  EXPECT_EQ(ShownRecords(false), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(ShownRecords(true), (std::vector<int>{4}));
  EXPECT_EQ(dlg->OutputStrip(4)->x(), 8 * w + 16);
  EXPECT_TRUE(dlg->DetailPanel()->isVisible());
  EXPECT_EQ(dlg->DetailPanel()->x(), 9 * w + 18);
  EXPECT_EQ(dlg->Navigation().SelectedBus(), 5);

  session.state.controlGroups[1].inputs[10] = 1;
  session.state.controlGroups[1].inputs[2] = 1;
  Click(Panel()->KeyButton(CMixerSidePanel::Key::Group));
  EXPECT_EQ(ShownRecords(false), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7})) << "no group picked: the CH1-8 strips";
  Click(Panel()->BlockKey(1, 2));
  EXPECT_EQ(ShownRecords(false), (std::vector<int>{2, 10}));
  EXPECT_EQ(dlg->InputStrip(10)->x(), w + 2);

  Click(Panel()->BlockKey(1, 2));  // the lit key: no group, back to the strips
  EXPECT_FALSE(dlg->DetailPanel()->isVisible());
  EXPECT_EQ(ShownRecords(false).size(), 8u);
  EXPECT_TRUE(ShownRecords(true).empty());

  // PHANTOM draws the PHANTOM page; a navigation key leaves the overview and resets the panel.
  Click(Panel()->KeyButton(CMixerSidePanel::Key::GroupReturn));
  Click(Panel()->KeyButton(CMixerSidePanel::Key::Phantom));
  EXPECT_EQ(dlg->Navigation().View(), MainView::Phantom);
  Click(Panel()->KeyButton(CMixerSidePanel::Key::System));
  EXPECT_EQ(dlg->Navigation().View(), MainView::Channel);
  dlg->PressGroup(4);
  EXPECT_EQ(Panel()->Model().Mode(), OverviewMode::None);
  EXPECT_EQ(ShownRecords(true).size(), 8u);
  dlg->PressView(ViewButton::Matrix);
  EXPECT_FALSE(Panel()->isVisible()) << "pages have no side panel";
}

// In an AUX view the inputs' faders show and move their send to that AUX, not the level the
// processor plays; the read-out names the AUX and the panel says sends stay with the editor.
TEST_F(SidePanelWindowTest, InAnAuxViewTheFadersMoveTheSendsToThatAux) {
  session.GoOnline();
  session.state.in[1].sends[3] = 40;
  Click(Panel()->KeyButton(CMixerSidePanel::Key::Aux));
  Click(Panel()->BusKey(3));  // AUX3
  EXPECT_TRUE(Panel()->findChild<QLabel*>(QStringLiteral("SendsKept"))->isVisible());
  CChannelStrip* strip = dlg->InputStrip(1);
  ASSERT_TRUE(strip->isVisible());
  EXPECT_EQ(strip->ShownSend(), 3);
  EXPECT_EQ(strip->Fader()->Pos(), kLevelMax - 40) << "the fader shows the send";
  const int level = session.state.in[1].level;
  const std::size_t sent = session.Sent().size();
  emit strip->Fader()->SliderReleased(strip->Fader()->Id(), 20);
  EXPECT_EQ(session.state.in[1].sends[3], kLevelMax - 20);
  EXPECT_EQ(session.state.in[1].level, level) << "the level the processor plays stays";
  EXPECT_EQ(session.Sent().size(), sent) << "no command carries a send";
  EXPECT_EQ(dlg->KindLabel()->Text(), QStringLiteral("AUX3"));

  Click(Panel()->BusKey(0));  // LR: the faders are the levels again
  EXPECT_EQ(strip->ShownSend(), -1);
  EXPECT_EQ(strip->Fader()->Pos(), kLevelMax - level);
}

TEST_F(SidePanelWindowTest, ClearMuteIsOnePlanOfTheStripsFramesAndClearSoloSendsNothing) {
  session.state.in[0].mute = 1;
  session.state.in[16].mute = 1;
  session.state.out[7].mute = 1;
  EXPECT_FALSE(Panel()->KeyButton(CMixerSidePanel::Key::ClearSolo)->isEnabled()) << "nothing soloed";
  EXPECT_FALSE(Panel()->KeyButton(CMixerSidePanel::Key::ClearSolo)->toolTip().isEmpty());
  session.state.in[5].solo = 1;
  session.Report(change::kSolo);
  ASSERT_TRUE(Panel()->KeyButton(CMixerSidePanel::Key::ClearSolo)->isEnabled());
  Click(Panel()->KeyButton(CMixerSidePanel::Key::ClearSolo));
  EXPECT_EQ(session.state.in[5].solo, 0);
  EXPECT_TRUE(session.Sent().empty());

  Click(Panel()->KeyButton(CMixerSidePanel::Key::ClearMute));
  EXPECT_EQ(session.state.in[0].mute, 0);
  EXPECT_EQ(session.state.in[16].mute, 0);
  EXPECT_EQ(session.state.out[7].mute, 0);
  EXPECT_FALSE(dlg->InputStrip(0)->MuteButton()->IsChecked()) << "the strips repaint";
  std::vector<std::string> sent;
  // Inputs 1..12, the effect returns (27, 29) and outputs 13..20.
  for (int i = 0; i < 50 && sent.size() < 22; ++i) sent = session.Sent();
  ASSERT_EQ(sent.size(), 22u);
  char body[32];
  std::snprintf(body, sizeof body, "%%A,01,01,00,%02X,", session.state.in[0].level);
  EXPECT_EQ(sent.front(), Frame(body));
  std::snprintf(body, sizeof body, "%%A,01,14,00,%02X,", session.state.out[7].level);
  EXPECT_EQ(sent.back(), Frame(body));
}

TEST_F(SidePanelWindowTest, StripKeysOpenTheOutputChannelView) {
  dlg->PressGroup(4);
  Click(dlg->OutputStrip(2)->EqMiniature());
  EXPECT_EQ(dlg->Navigation().ChannelViewKind(), ChannelView::Output);
  EXPECT_EQ(dlg->Navigation().ChannelViewChannel(), 2);
  EXPECT_EQ(dlg->Navigation().ChannelViewEditor(), COutputStrip::kGeqEditor);
  EXPECT_FALSE(Panel()->isVisible());
  dlg->PressGroup(4);
  Click(dlg->OutputStrip(6)->LimiterButton());
  EXPECT_EQ(dlg->Navigation().ChannelViewChannel(), 6);
  EXPECT_EQ(dlg->Navigation().ChannelViewEditor(), COutputStrip::kLimiterEditor);
}

}  // namespace
}  // namespace orvx
