// Factory recovery against a simulator on loopback: after the push, the processor holds the
// recovery value of every field the pushed frames carry, field by field.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "CarriedFields.h"
#include "SimSessionFixture.h"
#include "link/FramePlan.h"
#include "session/ParamReport.h"
#include "session/ProfileStore.h"
#include "session/SystemController.h"

namespace orvx {
namespace {

class RecoveryAgainstSim : public SimSessionFixture {
protected:
  bool Sendable(const ParamAddr& a) {
    return test::Sendable(Editor(), a, [this]() -> IGlyphRenderer& { return m_session->Renderer(); });
  }
};

TEST_F(RecoveryAgainstSim, TheProcessorEndsOnTheEditorsValueInEveryFieldTheEditorCanSend) {
  simIp = "127.0.0.154";
  editorIp = "127.0.0.155";
  StartSim({});
  StartSession();
  ASSERT_TRUE(ConnectAfterQueries(1));

  // Move the processor away from the factory set first (sources and unit slots stay distinct).
  ChangeRequest scramble;
  for (const ParamAddr& a : test::CarriedAddresses()) {
    const ParamDef& d = Param(a.id);
    if (a.id == ParamId::InSource || a.id == ParamId::UnitSlot || d.display.kind == DisplayKind::Text) continue;
    scramble.writes.push_back({a, {d.rawMax, {}}});
  }
  ASSERT_EQ(m_session->Changes().Apply(scramble), ChangeResult::Applied);
  ASSERT_TRUE(m_session->Queue().WaitIdle(10'000));
  ASSERT_TRUE(Drive([&] { return sim->StateSnapshot().in[0].level == kLevelMax; }, 0));

  CMemoryProfile profile;
  CSystemController system(*m_session, profile);
  const int reportsStarted = SimFrames("%Q,01,01");
  ASSERT_TRUE(system.Recover());
  ASSERT_NE(system.RecoveryPlan(), 0u);
  ASSERT_TRUE(Drive([&] { return !system.RecoveryRunning(); }, 0, 20));
  ASSERT_TRUE(Drive([&] { return SimFrames("%Q,01,01") > reportsStarted; }, 0))
      << "the push ends by restarting reports";

  // Every field a command carries: what the recovery reset and what it left (still scrambled on
  // both sides). A field the push forgot shows here as the processor's old value.
  const CDeviceState processor = sim->StateSnapshot();
  int compared = 0;
  for (const ParamAddr& a : test::CarriedAddresses()) {
    if (!Sendable(a)) continue;
    ++compared;
    EXPECT_EQ(ReadParam(processor, a), AfterWire(a, ReadParam(Editor(), a)))
        << Param(a.id).name << " " << a.record + 1 << " " << a.index + 1;
  }
  EXPECT_GT(compared, 1000);
  EXPECT_EQ(Editor().in[10].comp[1], processor.in[10].comp[1]) << "input 11's compressor";
  EXPECT_EQ(Editor().in[0].peq[4].gain, 150) << "band 5 at its factory gain";
}

}  // namespace
}  // namespace orvx
