// Factory recovery against a simulator on loopback: after the push, the processor holds the
// recovery value of every field the pushed frames carry, field by field.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "SimSessionFixture.h"
#include "link/CommandSender.h"
#include "session/CommandFrames.h"
#include "session/ParamReport.h"
#include "session/ProfileStore.h"
#include "session/SystemController.h"

namespace orvx {
namespace {

class RecoveryAgainstSim : public SimSessionFixture {
protected:
  /// Every address of every value a command carries.
  static std::vector<ParamAddr> CarriedAddresses() {
    std::vector<ParamAddr> out;
    for (const ParamDef& d : AllParams()) {
      if (d.carrier == Carrier::None) continue;
      for (int r = 0; r < d.records; ++r) {
        for (int i = 0; i < std::max(1, d.indices); ++i) out.push_back({d.id, r, i});
      }
    }
    return out;
  }
  std::string Frame(const CDeviceState& s, const CommandKey& key) {
    return BuildCommandFrame(s, key, [this]() -> IGlyphRenderer& { return m_session->Renderer(); });
  }
  /// True when every frame that carries `a` went out in the push as the recovered state builds it,
  /// and those frames change with its value (they really carry it).
  bool Pushed(const ParamAddr& a, const std::set<std::string>& pushed) {
    const std::vector<CommandKey> keys = CommandsFor(a);
    if (keys.empty()) return false;
    CDeviceState other = Editor();
    const ParamDef& d = Param(a.id);
    ParamValue changed = ReadParam(other, a);
    changed.raw = changed.raw == d.rawMin ? d.rawMax : d.rawMin;
    if (d.display.kind == DisplayKind::Text) changed.text = "X";
    WriteParam(other, a, changed);
    bool carried = false;
    for (const CommandKey& key : keys) {
      const std::string frame = Frame(Editor(), key);
      // A name travels in several datagrams.
      for (const Datagram& d : PlanFrame(frame)) {
        if (!pushed.count(d.bytes)) return false;
      }
      carried = carried || Frame(other, key) != frame;
    }
    return carried;
  }
};

TEST_F(RecoveryAgainstSim, TheProcessorHoldsEveryRecoveryValueThePushCarries) {
  simIp = "127.0.0.154";
  editorIp = "127.0.0.155";
  StartSim({});
  StartSession();
  ASSERT_TRUE(ConnectAfterQueries(1));

  // Move the processor away from the factory set first (sources and unit slots stay distinct).
  ChangeRequest scramble;
  for (const ParamAddr& a : CarriedAddresses()) {
    const ParamDef& d = Param(a.id);
    if (a.id == ParamId::InSource || a.id == ParamId::UnitSlot || d.display.kind == DisplayKind::Text) continue;
    scramble.writes.push_back({a, {d.rawMax, {}}});
  }
  ASSERT_EQ(m_session->Changes().Apply(scramble), ChangeResult::Applied);
  ASSERT_TRUE(m_session->Queue().WaitIdle(10'000));
  ASSERT_TRUE(Drive([&] { return sim->StateSnapshot().in[0].level == kLevelMax; }, 0));

  CMemoryProfile profile;
  CSystemController system(*m_session, profile);
  ControlGroupKeys keys{true, true, true, true};
  const int reportsStarted = SimFrames("%Q,01,01");
  ASSERT_TRUE(system.Recover(keys));
  ASSERT_NE(system.RecoveryPlan(), 0u);
  ASSERT_TRUE(Drive([&] { return !system.RecoveryRunning(); }, 0, 20));
  ASSERT_TRUE(Drive([&] { return SimFrames("%Q,01,01") > reportsStarted; }, 0))
      << "the push ends by restarting reports";

  std::set<std::string> pushed;
  for (const Datagram& d : FactoryRecoveryPlan(Editor(), m_session->Renderer())) pushed.insert(d.bytes);
  const CDeviceState processor = sim->StateSnapshot();
  int compared = 0;
  std::set<ParamId> kinds;
  for (const ParamAddr& a : CarriedAddresses()) {
    if (!Pushed(a, pushed)) continue;
    ++compared;
    kinds.insert(a.id);
    EXPECT_EQ(ReadParam(processor, a), AfterWire(a, ReadParam(Editor(), a)))
        << Param(a.id).name << " " << a.record + 1 << " " << a.index + 1;
  }
  // The push carries the names, levels, routes, dynamics, filters, inputs, outputs, bands and the
  // automatic mixer: far more than a handful of fields.
  EXPECT_GT(compared, 600);
  for (ParamId id : {ParamId::InLevel,     ParamId::InMute,     ParamId::InRoute,         ParamId::InPeqFreq,
                     ParamId::InPeqGain,   ParamId::InPhantom,  ParamId::InSource,        ParamId::InPreamp,
                     ParamId::InThreshold, ParamId::InPriority, ParamId::InCompThreshold, ParamId::InHpfFreq,
                     ParamId::InLpfFreq,   ParamId::InName,     ParamId::OutLevel,        ParamId::OutMute,
                     ParamId::OutLine,     ParamId::OutDelay,   ParamId::OutFbk,          ParamId::OutLimThreshold,
                     ParamId::OutGeqGain,  ParamId::OutName,    ParamId::AutoMaxOpen,     ParamId::AutoHoldTime,
                     ParamId::AutoNom,     ParamId::UnitSlot})
    EXPECT_TRUE(kinds.count(id)) << Param(id).name << " was not pushed";
}

}  // namespace
}  // namespace orvx
