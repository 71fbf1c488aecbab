#pragma once
/// The editor's main window over a real session against an in-process simulator on loopback.

#include <gtest/gtest.h>

#include <QSize>
#include <memory>
#include <string>

#include "GuiTestUtil.h"
#include "SimServer.h"
#include "core/Clock.h"
#include "pages/MainDlg.h"
#include "session/EditorSession.h"
#include "session/ProfileStore.h"

namespace orvx::test {

/// Where the simulator and the editor live and how the window is set up.
struct EditorAgainstSimSettings {
  const char* simIp = nullptr;
  const char* editorIp = nullptr;
  int rate = 2;  ///< few meter reports: the tests watch the window, not the meters
  QSize windowSize{1366, 768};
  bool connectAtStart = true;  ///< false: the test calls Connect() when it is ready
  int onlineWaitMs = 10000;
};

/// Starts the simulator on an ephemeral port, binds the editor's link to the simulator's port
/// number on the editor's own address, shows the main window and (optionally) connects.
class EditorAgainstSim : public ::testing::Test {
protected:
  explicit EditorAgainstSim(EditorAgainstSimSettings settings) : m_settings(settings) {}

  void SetUp() override {
    App();
    SimServerSettings s;
    s.ip = m_settings.simIp;
    s.port = 0;
    s.replyPort = 0;  // answers on its own port number, which the editor binds on its own address
    s.rate = m_settings.rate;
    sim = std::make_unique<CSimServer>(s, clock);
    std::string error;
    ASSERT_TRUE(sim->Start(&error)) << error;
    const LinkSettings link{m_settings.editorIp, sim->ReplyPort(), sim->BoundPort()};
    session = std::make_unique<CEditorSession>(link, clock, [this] {
      QMetaObject::invokeMethod(
          &pump, [this] { session->ProcessPendingFrames(); }, Qt::QueuedConnection);
    });
    dlg = std::make_unique<CMainDlg>(*session, profile);
    session->State().link.deviceIp = m_settings.simIp;
    dlg->resize(m_settings.windowSize);
    dlg->show();
    if (m_settings.connectAtStart) Connect();
  }
  void TearDown() override {
    if (dlg) {
      dlg->close();
      WaitFor([&] { return dlg->CloseFinished(); }, CMainDlg::kCloseLimitMs + 1000);
    }
    dlg.reset();
    session.reset();
    if (sim) sim->Stop();
  }
  void Connect() {
    dlg->OnConnect();
    ASSERT_TRUE(WaitFor([&] { return session->State().link.online; }, m_settings.onlineWaitMs)) << "never online";
    // The full reload repaints every strip: let it finish before a test times the window.
    WaitFor([] { return false; }, kSettleMs);
  }
  static constexpr int kSettleMs = 300;

  SteadyClock clock;
  QObject pump;
  CMemoryProfile profile;
  std::unique_ptr<CSimServer> sim;
  std::unique_ptr<CEditorSession> session;
  std::unique_ptr<CMainDlg> dlg;

private:
  EditorAgainstSimSettings m_settings;
};

}  // namespace orvx::test
