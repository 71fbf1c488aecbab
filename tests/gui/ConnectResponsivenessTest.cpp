// CONNECT with no processor answering: the window keeps running its event loop while the
// supervisor waits (its waits are timer phases, not sleeps). Loopback only.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "GuiTestUtil.h"
#include "core/Clock.h"
#include "pages/MainDlg.h"
#include "session/EditorSession.h"
#include "session/ProfileStore.h"

namespace orvx {
namespace {

TEST(ConnectResponsivenessTest, EventLoopNeverStallsDuringConnect) {
  test::App();
  LinkSettings link;
  link.localIp = "127.0.0.1";
  link.localPort = 0;       // any free port: never collides with a running demo
  link.remotePort = 39999;  // nobody listens there
  SteadyClock clock;
  CEditorSession session(link, clock, [] {});
  CMemoryProfile profile;
  CMainDlg dlg(session, profile);
  session.State().link.deviceIp = "127.0.0.1";
  dlg.resize(1260, 900);
  dlg.show();

  QElapsedTimer call;
  call.start();
  dlg.OnConnect();
  EXPECT_LT(call.elapsed(), 100) << "CONNECT returns at once";
  EXPECT_TRUE(session.State().link.connecting);

  // Through both 500 ms waits and the first "%Z": the loop must keep turning.
  QElapsedTimer run, gap;
  run.start();
  gap.start();
  qint64 worstGap = 0;
  while (run.elapsed() < 1500) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    worstGap = std::max(worstGap, gap.restart());
  }
  EXPECT_LT(worstGap, 150) << "the window froze for " << worstGap << " ms";
  EXPECT_TRUE(session.State().link.connecting) << "still waiting for an answer";

  dlg.close();
  EXPECT_TRUE(test::WaitFor([&] { return dlg.CloseFinished(); }, CMainDlg::kCloseLimitMs + 1000));
}

}  // namespace
}  // namespace orvx
