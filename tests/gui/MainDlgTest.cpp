#include <gtest/gtest.h>

#include <QFocusEvent>

#include "link/Commands.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>

#include "FakeShellSession.h"
#include "GuiTestUtil.h"
#include "pages/ChannelStrip.h"
#include "pages/InputStrip.h"
#include "pages/MainDlg.h"
#include "pages/NameDlg.h"

#include <QLabel>
#include "pages/StatusLamp.h"
#include "pages/SystemPage.h"
#include "pages/TitledPage.h"
#include "session/ProfileRules.h"
#include "session/ProfileStore.h"
#include "ui/FrameClock.h"
#include "ui/LevelGraph.h"
#include "ui/PngButton.h"
#include "ui/SkinSlider.h"
#include "ui/ValueLabel.h"

namespace orvx {
namespace {

using test::App;
using test::Click;
using test::PressKey;
using test::WaitFor;

class MainDlgTest : public ::testing::Test {
protected:
  void SetUp() override {
    App();
    dlg = std::make_unique<CMainDlg>(session, profile);
    Resize(1260, 900);
    dlg->show();
  }
  void Resize(int w, int h) {
    dlg->resize(w, h);
    QApplication::processEvents();
  }
  QString PageTitle() const {
    CTitledPage* p = dlg->VisiblePage();
    return p ? p->Title() : QString();
  }

  test::FakeShellSession session;
  CMemoryProfile profile;
  std::unique_ptr<CMainDlg> dlg;
};

// A laptop screen: the header stays put, the strips fit the height under it, and every key of a
// strip (the name key too, the only way to NAME and SENDS) is inside the window without scrolling.
TEST_F(MainDlgTest, OnALaptopScreenEveryStripKeyIsInsideAndTheHeaderNeverScrolls) {
  for (const QSize size : {QSize(1366, 768), QSize(1260, 900), QSize(1920, 1080)}) {
    Resize(size.width(), size.height());
    for (int group = 1; group <= 4; ++group) {
      dlg->PressGroup(group == 3 ? 4 : group);
      for (CChannelStrip* strip : dlg->VisibleStrips()) {
        for (QWidget* key : strip->findChildren<QWidget*>()) {
          if (!key->isVisibleTo(strip)) continue;
          const QRect inWindow(key->mapTo(dlg.get(), QPoint(0, 0)), key->size());
          EXPECT_TRUE(dlg->rect().contains(inWindow))
              << size.width() << "x" << size.height() << " strip " << strip->Slot().record << " "
              << key->objectName().toStdString() << " at " << inWindow.y() << ".." << inWindow.bottom();
        }
      }
    }
    EXPECT_EQ(dlg->ScrollArea()->verticalScrollBar()->maximum(), 0) << size.height() << ": nothing to scroll";
    // Scrolling the body (a narrower window, a page wider than it) never moves the header.
    const QPoint undoAt = dlg->UndoButton()->mapTo(dlg.get(), QPoint(0, 0));
    dlg->ScrollArea()->horizontalScrollBar()->setValue(dlg->ScrollArea()->horizontalScrollBar()->maximum());
    EXPECT_EQ(dlg->UndoButton()->mapTo(dlg.get(), QPoint(0, 0)), undoAt);
  }
  EXPECT_EQ(dlg->StripWidth(), 182);
  EXPECT_EQ(dlg->StripHeight(), 860) << "1080 - 220, as before";
}

// Down to 1024x600 nothing of the header is cut off; the strips scroll under it.
TEST_F(MainDlgTest, TheHeaderIsWholeDownTo1024x600) {
  for (const QSize size : {QSize(1024, 600), QSize(1280, 720)}) {
    Resize(size.width(), size.height());
    for (QWidget* key : {static_cast<QWidget*>(dlg->UndoButton()), static_cast<QWidget*>(dlg->MenuButton()),
                         static_cast<QWidget*>(dlg->LanguageButton()), static_cast<QWidget*>(dlg->Lamp())}) {
      const QRect inWindow(key->mapTo(dlg.get(), QPoint(0, 0)), key->size());
      EXPECT_TRUE(dlg->rect().contains(inWindow)) << size.width() << " " << key->objectName().toStdString();
    }
  }
}

TEST_F(MainDlgTest, ViewButtonsShowTheirPagesAndGroupButtonsTheirStrips) {
  const std::pair<ViewButton, const char*> cases[] = {{ViewButton::Matrix, "MATRIX"},
                                                      {ViewButton::Mode, "AUTOMATIC MIXER"},
                                                      {ViewButton::System, "DEVICE SETTING"},
                                                      {ViewButton::Groups, "GROUPS"}};
  for (auto [button, title] : cases) {
    Click(dlg->ViewButtonAt(button));
    EXPECT_EQ(PageTitle(), title);
    EXPECT_TRUE(dlg->VisibleStrips().empty());
    EXPECT_TRUE(dlg->ViewButtonAt(button)->IsChecked());
    EXPECT_FALSE(dlg->ViewButtonAt(ViewButton::Channel)->IsChecked());
  }
  Click(dlg->GroupButton(2));
  EXPECT_EQ(dlg->VisiblePage(), nullptr);
  auto strips = dlg->VisibleStrips();
  ASSERT_EQ(strips.size(), 4u);
  EXPECT_EQ(strips[0]->Slot().record, 8);
  EXPECT_TRUE(dlg->GroupButton(2)->IsChecked());
  EXPECT_FALSE(dlg->GroupButton(1)->IsChecked());

  Click(dlg->GroupButton(4));
  strips = dlg->VisibleStrips();
  ASSERT_EQ(strips.size(), 8u);
  EXPECT_TRUE(strips[0]->Slot().output);

  dlg->ShowPhantom();
  EXPECT_EQ(PageTitle(), "PHANTOM");
  Click(dlg->ViewButtonAt(ViewButton::Channel));
  EXPECT_EQ(dlg->VisibleStrips().size(), 8u) << "CHANNEL returns to the current group";
}

// In the body's coordinates: its first row sits right under the fixed header.
TEST_F(MainDlgTest, ChannelViewsPlaceSpareStripAndEditor) {
  dlg->ShowInputChannelView(3, 2);
  auto strips = dlg->VisibleStrips();
  ASSERT_EQ(strips.size(), 1u);
  EXPECT_EQ(strips[0]->geometry(), QRect(0, 0, 150, 680));
  EXPECT_EQ(strips[0]->Slot().record, 3);
  ASSERT_NE(dlg->VisiblePage(), nullptr);
  EXPECT_EQ(dlg->VisiblePage()->Title(), "PARAMETRIC EQ");
  EXPECT_EQ(dlg->VisiblePage()->geometry(), QRect(152, 0, 1050, 680));

  dlg->ShowOutputChannelView(6, 2);
  strips = dlg->VisibleStrips();
  ASSERT_EQ(strips.size(), 1u);
  EXPECT_EQ(strips[0]->geometry(), QRect(1216, 0, 150, 680));
  EXPECT_EQ(dlg->VisiblePage()->geometry(), QRect(0, 0, 1200, 680));
  EXPECT_EQ(dlg->Navigation().ViewMode(), 3);

  Click(dlg->GroupButton(1));
  EXPECT_EQ(dlg->VisibleStrips().size(), 8u) << "navigation leaves the channel view";
}

TEST_F(MainDlgTest, GroupButtonIgnoredDuringFirmwareUpdate) {
  dlg->SetUpdateRunning(true);
  Click(dlg->GroupButton(4));
  EXPECT_EQ(dlg->Navigation().Group(), 1);
  EXPECT_FALSE(dlg->VisibleStrips()[0]->Slot().output);
  dlg->SetUpdateRunning(false);
  Click(dlg->GroupButton(4));
  EXPECT_TRUE(dlg->VisibleStrips()[0]->Slot().output);
}

TEST_F(MainDlgTest, LampClickOpensSystemOnlyWhenDark) {
  session.GoOnline();
  EXPECT_TRUE(dlg->Lamp()->IsLit());
  EXPECT_EQ(dlg->StatusText()->Text(), "ONLINE");
  Click(dlg->Lamp());
  EXPECT_EQ(dlg->VisiblePage(), nullptr) << "lit lamp does nothing";

  session.GoSilent();
  EXPECT_FALSE(dlg->Lamp()->IsLit());
  EXPECT_EQ(dlg->StatusText()->Text(), "OFFLINE");
  Click(dlg->Lamp());
  EXPECT_EQ(PageTitle(), "DEVICE SETTING");
}

TEST_F(MainDlgTest, StripControlsWriteStateReadoutAndSendOnlyOnline) {
  CChannelStrip* strip = dlg->VisibleStrips()[0];
  Click(strip->MuteButton());
  EXPECT_EQ(session.state.in[0].mute, 1);
  EXPECT_TRUE(strip->MuteButton()->IsChecked());
  EXPECT_EQ(dlg->KindLabel()->Text(), "MUTE");
  EXPECT_EQ(dlg->ValueBox()->text(), "OPEN");
  EXPECT_TRUE(session.Sent().empty()) << "offline: nothing sent";

  session.GoOnline();
  emit strip->Fader()->SliderMoving(strip->Fader()->Id(), 20);
  emit strip->Fader()->SliderReleased(strip->Fader()->Id(), 0);
  EXPECT_EQ(session.state.in[0].level, 70);
  EXPECT_EQ(dlg->ValueBox()->text(), "10dB");
  const auto sent = session.Sent();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.back(), FrameA(session.state, 1)) << "the release sends the final value";

  // The drag is one step of the history: the visible key undoes it and sends the old level.
  EXPECT_TRUE(dlg->UndoButton()->isEnabled());
  Click(dlg->UndoButton());
  EXPECT_EQ(session.state.in[0].level, 70 - 0) << "level before the drag (default 70)";
  Click(dlg->UndoButton());  // the mute
  EXPECT_EQ(session.state.in[0].mute, 0);
  EXPECT_FALSE(strip->MuteButton()->IsChecked());
  EXPECT_FALSE(dlg->UndoButton()->isEnabled());
  EXPECT_EQ(session.Sent().back(), FrameA(session.state, 1));
  Click(dlg->RedoButton());
  EXPECT_EQ(session.state.in[0].mute, 1);
}

TEST_F(MainDlgTest, TypedValueIsCheckedStoredMovesTheFaderAndSends) {
  session.GoOnline();
  CChannelStrip* strip = dlg->VisibleStrips()[2];
  emit strip->Fader()->SliderMoving(strip->Fader()->Id(), 10);
  emit strip->Fader()->SliderReleased(strip->Fader()->Id(), 10);
  const std::size_t before = session.Sent().size();

  // Outside the range: refused, and the reason names the range.
  dlg->ValueBox()->setFocus();
  dlg->ValueBox()->setText("-70");
  PressKey(dlg->ValueBox(), Qt::Key_Return);
  EXPECT_EQ(session.state.in[2].level, 60);
  EXPECT_NE(dlg->ValueBox()->toolTip().indexOf(QStringLiteral("-60dB .. 10dB")), -1)
      << dlg->ValueBox()->toolTip().toStdString();
  EXPECT_EQ(session.Sent().size(), before);

  dlg->ValueBox()->setText("-60");
  PressKey(dlg->ValueBox(), Qt::Key_Return);
  EXPECT_EQ(session.state.in[2].level, 0);
  EXPECT_TRUE(dlg->ValueBox()->toolTip().isEmpty());
  // A value between two steps is stored at the nearest step, and the box shows what was stored.
  dlg->ValueBox()->setText("-12.4");
  PressKey(dlg->ValueBox(), Qt::Key_Return);
  EXPECT_EQ(session.state.in[2].level, 48);
  EXPECT_EQ(dlg->ValueBox()->text(), "-12dB");
  dlg->ValueBox()->setText("-12.3");  // the same step again: nothing changes, the box still shows it
  PressKey(dlg->ValueBox(), Qt::Key_Return);
  EXPECT_EQ(dlg->ValueBox()->text(), "-12dB");
  dlg->ValueBox()->setText("-60");
  PressKey(dlg->ValueBox(), Qt::Key_Return);
  EXPECT_EQ(strip->Fader()->Pos(), 70);
  EXPECT_EQ(dlg->ValueBox()->text(), "-60dB");
  ASSERT_EQ(session.Sent().size(), before + 1);
  EXPECT_EQ(session.Sent().back(), FrameA(session.state, 3));

  // A report arriving while the operator types leaves the typed text alone.
  dlg->ValueBox()->setFocus();
  dlg->ValueBox()->setText("-1");
  dlg->ValueBox()->setModified(true);
  session.Report(change::kLevels);
  EXPECT_EQ(dlg->ValueBox()->text(), "-1");

  // Text after the number is refused with a visible cue and stays for correcting...
  dlg->ValueBox()->setText("-5 dBx");
  dlg->CommitTypedValue(dlg->ValueBox()->text());
  EXPECT_EQ(session.state.in[2].level, 0);
  EXPECT_EQ(dlg->ValueBox()->text(), "-5 dBx");
  EXPECT_TRUE(dlg->ValueBox()->styleSheet().contains("#e04848"));
  // ...and reverts when the field loses focus without a commit.
  dlg->ValueBox()->clearFocus();
  QFocusEvent focusOut(QEvent::FocusOut);
  QCoreApplication::sendEvent(dlg->ValueBox(), &focusOut);
  EXPECT_EQ(dlg->ValueBox()->text(), "-60dB");
  EXPECT_FALSE(dlg->ValueBox()->styleSheet().contains("#e04848"));
}

TEST_F(MainDlgTest, TimerOneStopsWhileTheSessionHasNothingForItAndStartsWhenAsked) {
  EXPECT_TRUE(dlg->SupervisionRunning());
  session.supervisionIdle = true;
  ASSERT_TRUE(WaitFor([&] { return !dlg->SupervisionRunning(); }, 5000)) << "stops after its next tick";
  const int ticks = session.ticks;
  session.supervisionIdle = false;
  session.observer->OnSupervisionNeeded();  // as CONNECT or a search does
  EXPECT_TRUE(dlg->SupervisionRunning());
  EXPECT_TRUE(WaitFor([&] { return session.ticks > ticks; }, 5000));
}

TEST_F(MainDlgTest, MetersAndActiveLampsFollowTheReportsAndRestWhenTheyStop) {
  CFrameClock& clock = CFrameClock::Shared();
  session.GoOnline();
  CInputStrip* strip = dlg->InputStrip(0);
  CLevelGraph* meter = strip->Meter();
  session.state.in[0].meter = 60;
  session.state.in[0].gateOpen = 1;
  session.Report(change::kMeters | change::kGates);
  EXPECT_DOUBLE_EQ(meter->Value(0), 60.0) << "taken with the report, no timer of its own";
  EXPECT_EQ(strip->StatusIndicator()->Text(), "ACTIVE");
  EXPECT_TRUE(clock.IsRunning()) << "a frame is due to show it";
  EXPECT_DOUBLE_EQ(dlg->InputStrip(1)->Meter()->Value(0), 0.0);

  session.GoSilent();
  session.RestMeters();
  EXPECT_DOUBLE_EQ(meter->Value(0), 0.0);
  EXPECT_EQ(strip->StatusIndicator()->Text(), "WAITING");
  // The peak holds, falls, and then nothing ticks (bounded: a frame of 100 ms at a time).
  for (int frames = 0; frames < 200 && clock.IsRunning(); ++frames) clock.Tick(100);
  EXPECT_DOUBLE_EQ(meter->Peak(0), 0.0);
  EXPECT_FALSE(clock.IsRunning());
}

TEST_F(MainDlgTest, LanguageToggleSwitchesEveryCaptionAndIsRemembered) {
  Click(dlg->LanguageButton());
  EXPECT_EQ(session.state.language, Language::Chinese);
  EXPECT_EQ(dlg->ViewButtonAt(ViewButton::Channel)->text(), "通道");
  EXPECT_EQ(dlg->StatusText()->Text(), "离线");
  EXPECT_EQ(dlg->ChannelNameLabel()->Text(), "通道1");
  EXPECT_EQ(dlg->InputStrip(0)->StatusIndicator()->Text(), "通道关闭");
  EXPECT_EQ(dlg->InputStrip(0)->MuteButton()->text(), "静音");
  EXPECT_EQ(profile.Read(kProfileSection, kProfileLanguage), "zh");
  Click(dlg->LanguageButton());
  EXPECT_EQ(dlg->ViewButtonAt(ViewButton::Channel)->text(), "CHANNEL");
  EXPECT_EQ(profile.Read(kProfileSection, kProfileLanguage), "en");
}

TEST_F(MainDlgTest, ConnectGoesToChannelViewAndAddressIsStored) {
  Click(dlg->ViewButtonAt(ViewButton::System));
  CSystemPage* system = dlg->SystemPage();
  EXPECT_EQ(system->AddressEdit()->text(), "192.168.1.106");
  system->AddressEdit()->setText("127.0.0.9");
  PressKey(system->AddressEdit(), Qt::Key_Return);
  EXPECT_EQ(session.state.link.deviceIp, "127.0.0.9");
  EXPECT_EQ(profile.Read(kProfileSection, kProfileHostIp), "127.0.0.9");
  system->AddressEdit()->setText("not.an.ip");
  PressKey(system->AddressEdit(), Qt::Key_Return);
  EXPECT_EQ(session.state.link.deviceIp, "127.0.0.9") << "a bad address is refused";

  Click(system->ConnectButton());
  EXPECT_EQ(session.connects, 1);
  EXPECT_EQ(dlg->VisiblePage(), nullptr) << "CONNECT brings the window to its page view";
  EXPECT_EQ(dlg->Navigation().ViewMode(), 1);
  session.GoOnline();
  EXPECT_EQ(system->ConnectButton()->text(), "DISCONNECT");
}

TEST_F(MainDlgTest, CloseWaitsForTheReceiveThreadButIsBounded) {
  dlg->close();
  EXPECT_EQ(session.closes, 1);
  EXPECT_TRUE(dlg->isVisible()) << "waits for the receive thread";
  session.closeFinished = true;
  EXPECT_TRUE(WaitFor([&] { return !dlg->isVisible(); }, 2000));
  EXPECT_TRUE(dlg->CloseFinished());
}

TEST_F(MainDlgTest, CloseEndsEvenWhenTheReceiveThreadHangs) {
  dlg->close();
  EXPECT_TRUE(WaitFor([&] { return !dlg->isVisible(); }, CMainDlg::kCloseLimitMs + 2000));
  EXPECT_EQ(session.closes, 1);
}

TEST(MainDlgProfileTest, HostIpFromProfile) {
  App();
  struct Case {
    std::optional<std::string> stored;
    const char* expected;
  };
  const Case cases[] = {{std::nullopt, "192.168.1.106"}, {std::string(), "192.168.1.106"}, {"127.0.0.4", "127.0.0.4"}};
  for (const auto& c : cases) {
    test::FakeShellSession session;
    CMemoryProfile profile;
    if (c.stored) profile.Write(kProfileSection, kProfileHostIp, *c.stored);
    CMainDlg dlg(session, profile);
    EXPECT_EQ(session.state.link.deviceIp, c.expected);
  }
}

}  // namespace
}  // namespace orvx

namespace orvx {
namespace {

TEST_F(MainDlgTest, RenameStoresSendsOnlineAndShowsTheName) {
  session.GoOnline();
  CChannelStrip* strip = dlg->VisibleStrips()[1];
  strip->RenameTo(QStringLiteral("讲台"));
  EXPECT_EQ(strip->NameButton()->text(), "讲台");
  EXPECT_EQ(NameBytes(session.state.in[1].shortName), "\xBD\xB2\xCC\xA8");  // GBK
  const auto sent = session.Sent();
  ASSERT_EQ(sent.size(), 3u) << "a name frame travels in three datagrams";
  EXPECT_EQ(sent[0].rfind("%V,01,02,", 0), 0u);
}

TEST(NameDlgTest, RefusesWhatTheProcessorCannotTakeSaysWhyAndStaysOpen) {
  test::App();
  struct Case {
    const char* text;
    bool accepted;
    const char* why;
  };
  const Case cases[] = {{"ABCDEFGH", true, ""},
                        {"ABCDEFGHI", false, "Channel name is too long. At most 8 bytes"},
                        {"四个汉字", true, ""},
                        {"五个汉字啊", false, "Channel name is too long. At most 8 bytes"},
                        {"", false, "A name cannot be empty"}};
  for (const Case& c : cases) {
    CNameDlg dlg(QString::fromUtf8(c.text), {ParamId::InName, 2, 0}, Language::English);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("NAME - input 3")) << "the title says which channel";
    dlg.accept();
    EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted) << c.text;
    EXPECT_TRUE(c.accepted ? dlg.LastRefusal().isEmpty() : dlg.LastRefusal().startsWith(QString::fromUtf8(c.why)))
        << c.text << ": " << dlg.LastRefusal().toStdString();
    if (!c.accepted) {
      EXPECT_EQ(dlg.Name(), QString::fromUtf8(c.text)) << "text unchanged";
      EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("NameMessage"))->text(), dlg.LastRefusal())
          << "said under the field";
    }
  }
  CNameDlg output(QStringLiteral("M 2"), {ParamId::OutName, 1, 0}, Language::Chinese);
  EXPECT_EQ(output.windowTitle(), QStringLiteral("名称 - 输出 2"));
}

}  // namespace
}  // namespace orvx
