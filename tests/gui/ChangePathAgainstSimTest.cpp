// The change path from a real window to a simulator on loopback: a fader dragged and undone, and
// a long plan that must never stall the window's event loop.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "GuiTestUtil.h"
#include "SimServer.h"
#include "core/Clock.h"
#include "pages/ChannelStrip.h"
#include "pages/MainDlg.h"
#include "session/EditorSession.h"
#include "session/ProfileStore.h"
#include "ui/SkinSlider.h"

namespace orvx {
namespace {

constexpr int kWaitMs = 10000;

class ChangePathAgainstSimTest : public ::testing::Test {
protected:
  void SetUp() override {
    test::App();
    SimServerSettings s;
    s.ip = "127.0.0.1";
    s.port = 0;
    s.replyPort = 0;  // answers on its own port number, which the editor binds on its own address
    s.rate = 2;       // few meter reports: the test watches the window, not the meters
    sim = std::make_unique<CSimServer>(s, clock);
    std::string error;
    ASSERT_TRUE(sim->Start(&error)) << error;
    const LinkSettings link{"127.0.0.83", sim->ReplyPort(), sim->BoundPort()};
    session = std::make_unique<CEditorSession>(link, clock, [this] {
      QMetaObject::invokeMethod(
          &pump, [this] { session->ProcessPendingFrames(); }, Qt::QueuedConnection);
    });
    dlg = std::make_unique<CMainDlg>(*session, profile);
    session->State().link.deviceIp = "127.0.0.1";
    dlg->resize(1260, 900);
    dlg->show();
    dlg->OnConnect();
    ASSERT_TRUE(test::WaitFor([&] { return session->State().link.online; }, kWaitMs)) << "never online";
  }
  void TearDown() override {
    if (dlg) {
      dlg->close();
      test::WaitFor([&] { return dlg->CloseFinished(); }, CMainDlg::kCloseLimitMs + 1000);
    }
    dlg.reset();
    session.reset();
    if (sim) sim->Stop();
  }
  int SimLevel(int record) const { return sim->StateSnapshot().in[record].level; }

  SteadyClock clock;
  QObject pump;
  CMemoryProfile profile;
  std::unique_ptr<CSimServer> sim;
  std::unique_ptr<CEditorSession> session;
  std::unique_ptr<CMainDlg> dlg;
};

TEST_F(ChangePathAgainstSimTest, ADraggedFaderReachesTheProcessorAndUndoBringsItBack) {
  const int before = session->State().in[0].level;
  CChannelStrip* strip = dlg->VisibleStrips()[0];
  const int id = strip->Fader()->Id();
  for (int pos = 5; pos <= 30; ++pos) {
    emit strip->Fader()->SliderMoving(id, pos);
    QApplication::processEvents();
  }
  emit strip->Fader()->SliderReleased(id, 30);
  ASSERT_TRUE(test::WaitFor([&] { return SimLevel(0) == 40; }, kWaitMs)) << "the final level never arrived";
  dlg->Undo();
  EXPECT_EQ(session->State().in[0].level, before);
  EXPECT_TRUE(test::WaitFor([&] { return SimLevel(0) == before; }, kWaitMs)) << "undo did not reach the processor";
}

TEST_F(ChangePathAgainstSimTest, ALongPlanNeverStallsTheWindow) {
  PlanRequest plan;
  for (int r = 0; r < kWireInputs; ++r)
    for (int band = 0; band < kPeqBands; ++band)
      plan.change.writes.push_back({{ParamId::InPeqGain, r, band}, {180, {}}});
  plan.pauseMs = 20;
  QElapsedTimer call;
  call.start();
  const std::uint32_t id = session->Changes().ApplyPlan(plan);
  ASSERT_NE(id, 0u);
  EXPECT_LT(call.elapsed(), 20) << "queuing a plan returns at once";
  EXPECT_EQ(session->Queue().Progress(id).total, 60);

  const qint64 worst = test::WorstLoopGap([&] { return session->Queue().Progress(id).Done(); }, kWaitMs);
  ASSERT_TRUE(session->Queue().Progress(id).Done()) << "the plan never finished";
  EXPECT_GE(call.elapsed(), 59 * 20) << "the plan kept its pauses";
  EXPECT_LE(worst, 20) << "the window stalled for " << worst << " ms";
  EXPECT_TRUE(test::WaitFor([&] { return sim->StateSnapshot().in[11].peq[4].gain == 180; }, kWaitMs));
}

}  // namespace
}  // namespace orvx
