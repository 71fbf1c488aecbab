#include <gtest/gtest.h>

#include <QMessageBox>

#include "FakeShellSession.h"
#include "GuiTestUtil.h"
#include "pages/ChannelSendsPage.h"
#include "link/Commands.h"
#include "pages/EqMiniature.h"
#include "pages/InputStrip.h"
#include "pages/MainDlg.h"
#include "pages/PageMessages.h"
#include "pages/PhantomPage.h"
#include "session/ProfileStore.h"
#include "ui/PngButton.h"
#include "ui/SkinComboBox.h"
#include "ui/SkinSlider.h"
#include "ui/ValueLabel.h"

namespace orvx {
namespace {

using test::App;
using test::Click;

/// Inputs on ANALOG, phantom off everywhere, preamps at their first step; the link online.
class InputPagesTest : public ::testing::Test {
protected:
  void SetUp() override {
    App();
    for (auto& in : session.state.in) {
      in.source = 0;
      in.phantom = 0;
      in.preampGain = 0;
    }
    session.GoOnline();
  }
  std::unique_ptr<CInputStrip> StripFor(int record) {
    auto strip = std::make_unique<CInputStrip>(session);
    strip->resize(150, 700);
    strip->ShowForChannel(record);
    return strip;
  }

  test::FakeShellSession session;
};

TEST_F(InputPagesTest, ATakenDanteSourceIsRefusedWithTheBoxTheListRestoredAndNothingSent) {
  session.state.in[2].source = 2;  // channel 3 on D2
  auto strip = StripFor(6);
  strip->SourceList()->ChooseRow(2);  // channel 7 chooses D2

  EXPECT_EQ(strip->SourceList()->GetCurSel(), 0) << "the stored ANALOG is selected again";
  EXPECT_EQ(session.state.in[6].source, 0);
  EXPECT_TRUE(session.Sent().empty());
  QMessageBox* box = OpenPageMessage(strip.get());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text(), QString::fromUtf8("已经设了Dante输入源"));
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
  box->close();

  strip->SourceList()->ChooseRow(3);  // D3 is free
  EXPECT_EQ(session.state.in[6].source, 3);
  EXPECT_EQ(session.Sent(), (std::vector<std::string>{"%O,01,07,03,00,00,45DA#"}));
  EXPECT_EQ(OpenPageMessage(strip.get()), nullptr);
}

TEST_F(InputPagesTest, PreampStepsAndTheMicrophoneButtonsFollowTheChannel) {
  struct Case {
    int record;
    QStringList preamp;
    bool micButtons;
  };
  const QStringList mic{"15 dB", "25 dB", "35 dB", "45 dB"};
  const QStringList line{"0 dB", "10 dB"};
  const Case cases[] = {{0, mic, true}, {7, mic, true}, {8, line, false}, {9, line, false}, {17, line, false}};
  auto strip = StripFor(0);
  for (const Case& c : cases) {
    strip->ShowForChannel(c.record);
    QStringList rows;
    for (int r = 0; r < strip->PreampList()->GetCount(); ++r) rows << strip->PreampList()->GetText(r);
    EXPECT_EQ(rows, c.preamp) << c.record;
    for (QWidget* w : {static_cast<QWidget*>(strip->PriorityButton()), static_cast<QWidget*>(strip->PhantomButton()),
                       static_cast<QWidget*>(strip->StatusIndicator())})
      EXPECT_EQ(w->isVisibleTo(strip.get()), c.micButtons) << c.record << " " << w->objectName().toStdString();
    // Every input leads to its compressor; the effect returns to the delay and reverb instead.
    const bool effect = c.record >= kDelayRecord;
    EXPECT_EQ(strip->CompButton()->isVisibleTo(strip.get()), !effect) << c.record;
    EXPECT_EQ(strip->EffectButton()->isVisibleTo(strip.get()), effect) << c.record;
  }
  // Channel 10 takes "10 dB": its own "%O" with the preamp step 1.
  strip->ShowForChannel(9);
  strip->PreampList()->ChooseRow(1);
  EXPECT_EQ(session.state.in[9].preampGain, 1);
  EXPECT_EQ(session.Sent(), (std::vector<std::string>{"%O,01,0A,00,00,01,892F#"}));
}

TEST_F(InputPagesTest, PhantomMaskCarriesChannels1To8OnlyAndTheHigherSwitchesSayWhy) {
  auto strip = StripFor(0);
  CPhantomPage page(session);
  page.resize(1400, 700);
  page.show();
  Click(strip->PhantomButton());  // channel 1 on the strip
  Click(page.Switch(7));          // channel 8 on the page
  // Inputs 9 and up have no phantom power: their switches say so and cannot be pressed.
  for (int i = 8; i < 16; ++i) {
    EXPECT_FALSE(page.Switch(i)->isEnabled()) << i;
    EXPECT_NE(page.Switch(i)->toolTip().indexOf(QStringLiteral("1-8")), -1) << i;
  }
  EXPECT_TRUE(page.Switch(7)->isEnabled());
  Click(page.Switch(11));
  EXPECT_EQ(session.state.in[11].phantom, 0);
  EXPECT_EQ(session.Sent(), (std::vector<std::string>{"%O,01,01,00,01,00,18B9#", "%O,01,08,00,81,00,CC96#"}));
  EXPECT_TRUE(strip->PhantomButton()->IsChecked());
  EXPECT_EQ(page.TitleLabel()->geometry(), QRect(1400 / 3, 30, 300, 50));
  EXPECT_EQ(page.Switch(9)->geometry(), QRect(200, 200, 80, 24));
}

TEST_F(InputPagesTest, OfflineTheStateChangesAndNothingIsSent) {
  session.state.link.online = false;
  auto strip = StripFor(1);
  Click(strip->PhantomButton());
  Click(strip->PriorityButton());
  strip->SourceList()->ChooseRow(4);
  strip->PreampList()->ChooseRow(3);
  const InputChannel& ch = session.state.in[1];
  EXPECT_EQ(std::vector<int>({ch.phantom, ch.priority, ch.source, ch.preampGain}), std::vector<int>({1, 1, 4, 3}));
  EXPECT_TRUE(session.Sent().empty());
}

TEST_F(InputPagesTest, CompAndTheEqMiniatureAskForTheirEditorsAndTheCurveFollowsTheState) {
  auto strip = StripFor(3);
  std::vector<std::pair<int, int>> asked;
  QObject::connect(strip.get(), &CInputStrip::EditorRequested,
                   [&](int record, int kind) { asked.emplace_back(record, kind); });
  session.state.in[3].comp[0] = 1;
  session.state.in[3].peq[1] = {1000, 300, 20, {}, 0};  // band 2: +15 dB at 1 kHz
  session.Report(change::kDynamics | change::kEq);
  strip->Refresh(change::kDynamics | change::kEq);
  EXPECT_TRUE(strip->CompButton()->IsChecked()) << "lit from compressor-on";
  const auto& curve = strip->EqMiniature()->Curve();
  ASSERT_FALSE(curve.empty());
  EXPECT_NEAR(*std::max_element(curve.begin(), curve.end()), 15.0, 0.01);

  Click(strip->CompButton());
  Click(strip->EqMiniature());
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{3, 1}, {3, 2}}));
  EXPECT_EQ(session.state.in[3].comp[0], 1) << "COMP opens the editor, it does not switch";
  EXPECT_TRUE(session.Sent().empty());
}

// One value, one picture: every row shows what is stored. The main row is the channel's level and
// MUTE (sent like the strip's); a muted send stands at the bottom and unmuting brings its level back.
TEST_F(InputPagesTest, SendsRowsShowWhatIsStoredAndTheMainRowIsTheChannelsLevel) {
  session.state.in[2].sends[3] = 10;
  session.state.in[2].level = 35;  // -25 dB
  CChannelSendsPage page(session);
  page.resize(1000, 700);
  page.OpenFor(2);
  std::vector<ParamAddr> touched;
  QObject::connect(&page, &CChannelSendsPage::Touched, [&](const ParamAddr& a) { touched.push_back(a); });

  EXPECT_EQ(page.Fader(0)->Pos(), 35) << "the main row is the channel's fader";
  EXPECT_FALSE(page.MuteButton(0)->IsChecked());
  emit page.Fader(3)->SliderReleased(3, 45);
  EXPECT_EQ(session.state.in[2].sends[3], 45);
  Click(page.MuteButton(3));
  EXPECT_EQ(session.state.in[2].sends[3], 0);
  EXPECT_TRUE(page.MuteButton(3)->IsChecked());
  EXPECT_EQ(page.Fader(3)->Pos(), 0) << "a muted send stands at the bottom, as stored";
  Click(page.MuteButton(3));
  EXPECT_EQ(session.state.in[2].sends[3], 45) << "unmuting brings the level back";
  EXPECT_EQ(page.Fader(3)->Pos(), 45);
  EXPECT_EQ(touched, std::vector<ParamAddr>(3, ParamAddr{ParamId::InSend, 2, 3}));
  EXPECT_TRUE(session.Sent().empty()) << "no command carries a send level";

  Click(page.MuteButton(0));
  EXPECT_EQ(session.state.in[2].mute, 1);
  EXPECT_EQ(session.Sent(), (std::vector<std::string>{FrameA(session.state, 3)})) << "the main row is sent";

  page.ApplyLanguage(Language::English);
  EXPECT_EQ(page.findChild<CValueLabel*>(QStringLiteral("SendsKept"))->Text().indexOf(QStringLiteral("not sent")) >= 0,
            true);
  page.OpenFor(16);  // the delay return: no delay or reverb send
  for (int row = 0; row < CChannelSendsPage::kRows; ++row)
    EXPECT_EQ(page.Fader(row)->isVisibleTo(&page), row < 7) << row;
}

}  // namespace
}  // namespace orvx

namespace orvx {
namespace {

TEST_F(InputPagesTest, TheMainWindowOpensEachEditorAStripAsksForBesideTheSpareStrip) {
  CMemoryProfile profile;
  CMainDlg dlg(session, profile);
  dlg.resize(1920, 1080);
  dlg.show();
  CInputStrip* strip = dlg.InputStrip(3);
  Click(strip->EqMiniature());
  ASSERT_NE(dlg.VisiblePage(), nullptr);
  EXPECT_EQ(dlg.VisiblePage()->Title(), "PARAMETRIC EQ");
  const auto shown = dlg.VisibleStrips();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0]->Slot().record, 3);
  Click(static_cast<CInputStrip*>(shown[0])->CompButton());
  EXPECT_EQ(dlg.VisiblePage()->Title(), "COMPRESSOR / NOISE GATE");

  dlg.ShowInputChannelView(16, CInputStrip::kSendsEditor);
  auto* sends = dynamic_cast<CChannelSendsPage*>(dlg.VisiblePage());
  ASSERT_NE(sends, nullptr);
  EXPECT_EQ(sends->Record(), 16);
  EXPECT_FALSE(sends->Fader(7)->isVisible());
  EXPECT_TRUE(sends->Fader(6)->isVisible());
  dlg.ShowPhantom();
  EXPECT_NE(dynamic_cast<CPhantomPage*>(dlg.VisiblePage()), nullptr);
}

}  // namespace
}  // namespace orvx
