// The DSP editors' RESET, BYPASS and preset recalls against a simulator on loopback: after each,
// the processor holds the editor's value in every EQ, filter and dynamics field a frame carries.
#include <sstream>
#include <string>
#include <vector>

#include "SimSessionFixture.h"
#include "session/DspActions.h"
#include "session/ParamReport.h"
#include "session/PresetValues.h"

namespace orvx {
namespace {

class DspActionsAgainstSim : public SimSessionFixture {
protected:
  /// Every field of the EQs, filters and dynamics that a frame carries to the processor.
  static std::vector<ParamAddr> DspFields() {
    std::vector<ParamAddr> out;
    for (const ParamDef& d : AllParams()) {
      switch (d.carrier) {
        case Carrier::Comp:
        case Carrier::Limiter:
        case Carrier::LowPass:
        case Carrier::HighPass:
        case Carrier::PeqBand:
        case Carrier::Geq: break;
        default: continue;
      }
      for (const ParamAddr& a : AddressesOf(d))
        if (!CommandsFor(a).empty()) out.push_back(a);
    }
    return out;
  }
  /// Runs an action and waits until it has left; then every field must agree.
  void RunAndCompare(const DspAction& action, const char* what) {
    SCOPED_TRACE(what);
    const ChangeResult r = RunDspAction(m_session->Changes(), action);
    ASSERT_TRUE(r == ChangeResult::Applied || r == ChangeResult::Unchanged);
    ASSERT_TRUE(m_session->Queue().WaitIdle(10'000));
    std::string differences;
    const bool same = Drive(
        [&] {
          const CDeviceState processor = sim->StateSnapshot();
          std::ostringstream out;
          for (const ParamAddr& a : DspFields()) {
            const ParamValue want = AfterWire(a, ReadParam(Editor(), a));
            if (ReadParam(processor, a) != want)
              out << Param(a.id).name << " " << a.record + 1 << "/" << a.index + 1 << ": processor "
                  << ReadParam(processor, a).raw << ", editor " << want.raw << "\n";
          }
          differences = out.str();
          return differences.empty();
        },
        0);
    EXPECT_TRUE(same) << differences;
  }
};

TEST_F(DspActionsAgainstSim, AfterEachResetBypassAndRecallTheProcessorEqualsTheEditor) {
  simIp = "127.0.0.210";
  editorIp = "127.0.0.211";
  StartSim({});
  StartSession();
  ASSERT_TRUE(ConnectAfterQueries(1));

  // Move every DSP field of the processor away from its reset values first.
  ChangeRequest scramble;
  for (const ParamAddr& a : DspFields()) {
    const ParamDef& d = Param(a.id);
    scramble.writes.push_back({a, ClampParam(a, {d.rawMin + (d.rawMax - d.rawMin) / 3 + a.index, {}})});
  }
  RunAndCompare({scramble.writes, {}}, "scrambled");

  for (int record : {0, 9, 15}) RunAndCompare(PeqReset(record), "parametric EQ reset");
  CPeqBypass bypass;
  Editor().in[1].peq[0].gain = 40;  // a value only the bypass backup holds
  RunAndCompare(bypass.Switch(Editor(), 1), "bypass on");
  RunAndCompare(bypass.Switch(Editor(), 1), "bypass off");

  // Recalls of stored blocks: every kind with frames, onto records other than the source.
  struct Recall {
    PresetKind kind;
    int from, to;
  } recalls[] = {{PresetKind::Peq, 4, 11}, {PresetKind::Compressor, 2, 12}, {PresetKind::Limiter, 5, 0},
                 {PresetKind::Geq, 6, 2}};
  for (const Recall& r : recalls) {
    const std::string block = PresetBlockOf(r.kind, Editor(), r.from);
    ASSERT_FALSE(block.empty());
    auto writes = PresetWritesOf(r.kind, block, Editor(), r.to);
    ASSERT_TRUE(writes);
    RunAndCompare(PresetRecall(r.kind, *writes, r.to), TableOf(r.kind).table);
  }
  RunAndCompare(GeqReset(2), "graphic EQ reset");
  RunAndCompare(CompressorReset(10), "compressor reset");
  RunAndCompare(LimiterReset(7), "limiter reset");
  EXPECT_EQ(sim->StateSnapshot().in[1].peq[0].gain, 40) << "the bypass put the backup back on the processor";
}

}  // namespace
}  // namespace orvx
