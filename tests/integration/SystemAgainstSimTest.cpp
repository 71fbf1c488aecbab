// The SYSTEM page's controller on the real session against the simulator over real UDP.
#include "SimSessionFixture.h"

#include "session/ProfileRules.h"
#include "session/SystemController.h"

namespace orvx {
namespace {

using SystemAgainstSim = SimSessionFixture;

// CALL leaves through the link's socket: before the processor is connected (also while the link is
// still being set up) it is refused, and once connected the call reaches the processor.
TEST_F(SystemAgainstSim, CallIsRefusedUntilConnectedAndThenReachesTheProcessor) {
  SimServerSettings s;
  s.device.unitCount = 2;
  StartSim(s);
  StartSession();
  CMemoryProfile profile;
  CSystemController system(*m_session, profile);
  Editor().unitCount = 2;
  ASSERT_TRUE(system.SelectTab(SystemTab::Display));
  ASSERT_TRUE(system.Units().SelectUnit(1));

  EXPECT_FALSE(system.CallUnit()) << "before CONNECT";
  EXPECT_NE(system.CallRefusal(), nullptr);
  m_session->Connect();
  EXPECT_FALSE(system.CallUnit()) << "CONNECT pressed, no socket open yet";
  ASSERT_TRUE(ConnectAfterQueries(1));
  EXPECT_EQ(SimFrames("%W,"), 0);

  EXPECT_EQ(system.CallRefusal(), nullptr);
  ASSERT_TRUE(system.CallUnit());
  EXPECT_TRUE(sim->WaitFor([&] { return SimFrames("%W,01,02,") == 1; }, kRealDeadlineMs));
  EXPECT_EQ(SimFrames("%W,"), 1) << "only the call made while connected arrived";
}

}  // namespace
}  // namespace orvx
