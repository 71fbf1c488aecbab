// Soak: the editor's session against the simulator over a bad network. Thousands of changes go
// through the change path (every kind of parameter, drags, typed values, plans, undo and redo)
// while the simulator loses, doubles, reorders, corrupts and splits frames both ways, and twice
// falls silent while the operator disconnects, works offline and connects again. Then the damage
// stops, "Compare with processor" sends what differs, and the processor holds the editor's value in
// every field its reports carry.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>

#include "CarriedFields.h"
#include "SimSessionFixture.h"
#include "core/TextCodec.h"
#include "session/AutoMixerRules.h"
#include "session/ClearActions.h"
#include "session/DspActions.h"
#include "session/MuteGroups.h"
#include "session/ParamReport.h"
#include "session/ProcessorSync.h"

namespace orvx {
namespace {

/// How many changes one run makes: ORVX_SOAK_CHANGES, or the build's figure (fewer under the
/// sanitizers, which slow every call several times over).
int ChangesToMake() {
  if (const char* v = std::getenv("ORVX_SOAK_CHANGES"); v && std::atoi(v) > 0) return std::atoi(v);
  return ORVX_SOAK_CHANGES;
}

/// Percent of frames lost, doubled, reordered, corrupted and split, each way.
constexpr const char* kOutboundFaults = "faults out 5 5 5 5 10";
constexpr const char* kInboundFaults = "faults in 5 5 5 5 10";
constexpr int kSilences = 2;
/// Presses of CONNECT for one reconnection at most, and how long a press waits for a late "Y".
constexpr int kConnectPresses = 5;
constexpr int kLateYMs = 1000;
constexpr int kSyncRounds = 10;
constexpr int kDeafChanges = 60;
/// Meter reports a second: enough frames the other way for every fault to strike them, also in a
/// short run.
constexpr int kReportsPerSecond = 200;

const char* const kNames[] = {"MIC 1", "讲台", "Lectern", "译员", "AUX", "会议室", "Stage L", ""};

struct Tally {
  int changes = 0;  ///< calls of the change path (a drag's every step, a plan, an undo each count)
  int applied = 0;
  int unchanged = 0;
  int refused = 0;
  int busy = 0;
  int drags = 0;
  int typed = 0;
  int plans = 0;
  int undos = 0;
  int redos = 0;
  int reconnects = 0;
  int connectPresses = 0;  ///< of the reconnects: a press that brought no link is pressed again
  int offlineChanges = 0;

  void Count(ChangeResult r) {
    ++changes;
    applied += r == ChangeResult::Applied;
    unchanged += r == ChangeResult::Unchanged;
    refused += r == ChangeResult::Refused;
    busy += r == ChangeResult::Busy;
  }
};

class SoakAgainstSim : public SimSessionFixture {
protected:
  /// 0..n-1, drawn from the run's own seeded generator.
  int Below(std::size_t n) { return std::uniform_int_distribution<int>(0, static_cast<int>(n) - 1)(m_rng); }

  /// Any address of any parameter; only draggable ones when `draggable`.
  ParamAddr AnyAddress(bool draggable = false) {
    const auto params = AllParams();
    for (;;) {
      const ParamDef& d = params[static_cast<std::size_t>(Below(params.size()))];
      if (draggable && !d.draggable) continue;
      return {d.id, Below(d.records), d.indices > 0 ? Below(d.indices) : 0};
    }
  }

  /// A value the address may hold (a name for text), drawn at random.
  ParamValue AnyValue(const ParamAddr& a) {
    const ParamDef& d = Param(a.id);
    if (d.display.kind == DisplayKind::Text) return {0, Utf8ToGbk(kNames[Below(std::size(kNames))])};
    const std::int32_t lo = d.rawMin;
    const std::int32_t hi = RawMaxFor(d, a.record);
    std::int32_t raw = lo;
    for (int tries = 0; tries < 8; ++tries) {
      raw = lo + Below(static_cast<std::size_t>(hi - lo + 1));
      if (IsAllowedRaw(a, raw)) break;
    }
    return {raw, {}};
  }

  /// One step of an operator's session, its kind drawn at random.
  void OneChange() {
    CChangePath& path = m_session->Changes();
    const int kind = Below(100);
    if (kind < 55) {
      const ParamAddr a = AnyAddress();
      m_tally.Count(path.Set(a, AnyValue(a)));
    } else if (kind < 70) {
      // A fader or knob dragged through a few values and let go: paced, its final value sent.
      const ParamAddr a = AnyAddress(true);
      const std::uint64_t gesture = path.NewGesture();
      for (int step = 0, steps = 2 + Below(4); step < steps; ++step)
        m_tally.Count(path.Set(a, AnyValue(a), ChangeOrigin::Drag, gesture));
      m_tally.Count(path.Set(a, AnyValue(a), ChangeOrigin::Control, gesture));
      ++m_tally.drags;
    } else if (kind < 78) {
      // Typed into the value box as the operator reads it, in either language.
      const ParamAddr a = AnyAddress();
      const Language language = Below(2) ? Language::Chinese : Language::English;
      if (const auto parsed = ParseParam(a, FormatParam(a, AnyValue(a), language))) {
        m_tally.Count(path.Set(a, *parsed, ChangeOrigin::Typed));
        ++m_tally.typed;
      }
    } else if (kind < 82) {
      ApplyOnePlan();
    } else if (kind < 91) {
      ++m_tally.changes;
      m_tally.undos += path.Undo();
    } else {
      ++m_tally.changes;
      m_tally.redos += path.Redo();
    }
  }

  /// A plan of a page rule: a mute group, CLEAR MUTE, a linked threshold or a DSP editor's RESET.
  void ApplyOnePlan() {
    CChangePath& path = m_session->Changes();
    ChangeResult result = ChangeResult::Unchanged;
    switch (Below(4)) {
      case 0: path.ApplyPlan(MuteGroupPlan(Editor(), Below(4), Below(2) == 1), &result); break;
      case 1: path.ApplyPlan(ClearMutePlan(), &result); break;
      case 2:
        path.ApplyPlan(SyncedThresholdPlan(Below(kAutomixInputs), Below(81)), &result);
        break;
      default: {
        const int record = Below(kFilterInputs);
        result = RunDspAction(path, Below(2) ? PeqReset(record) : CompressorReset(record));
      }
    }
    m_tally.Count(result);
    ++m_tally.plans;
    // The operator watches the progress bar: other changes wait until it is full.
    ASSERT_TRUE(Drive([&] { return !path.Busy(); }, 0, 20));
  }

  /// Reports in, and the fake clock a little on (the supervision runs on it).
  void Pump() {
    m_session->ProcessPendingFrames();
    clock.Advance(CConnectionSupervisor::kTickMs);
    m_session->Tick();
  }

  /// The processor falls silent: what is sent meanwhile is lost, the lamp goes out after the
  /// silence limit; the operator disconnects, goes on offline, and connects again once it answers.
  void LoseAndRegainTheProcessor(int changesEach) {
    sim->Console("silence 2");
    ASSERT_TRUE(sim->WaitFor([&] { return sim->Silent(); }, kRealDeadlineMs));
    for (int i = 0; i < changesEach; ++i) OneChange();
    ASSERT_TRUE(Drive([&] { return !m_session->LampLit(); }, 500)) << "the lamp goes out in the silence";
    m_session->Connect();  // online: this press is DISCONNECT
    ASSERT_FALSE(Editor().link.online);
    for (int i = 0; i < changesEach; ++i) OneChange();
    m_tally.offlineChanges += changesEach;
    ASSERT_TRUE(sim->WaitFor([&] { return !sim->Silent(); }, kRealDeadlineMs));
    ASSERT_TRUE(ConnectAsTheOperatorWould()) << "connected again";
    ++m_tally.reconnects;
  }

  /// CONNECT, and CONNECT again while a press brings no link, as the operator does: the faults
  /// still run, and an attempt whose "Y" is lost ends neither connecting nor online, without a
  /// message (or ends with "CANNOT CONNECT." when three "%Z" or their answers are lost).
  bool ConnectAsTheOperatorWould() {
    for (int press = 0; press < kConnectPresses; ++press) {
      m_session->Connect();
      ++m_tally.connectPresses;
      std::optional<std::chrono::steady_clock::time_point> ended;
      Drive(
          [&] {
            if (Editor().link.online) return true;
            const bool attempting = Editor().link.connecting ||
                                    m_session->Supervisor().CurrentPhase() != CConnectionSupervisor::Phase::Idle;
            if (attempting) ended.reset();
            else if (!ended) ended = std::chrono::steady_clock::now();
            // A "Y" held back by the reordering still arrives within this.
            return ended && std::chrono::steady_clock::now() - *ended > std::chrono::milliseconds(kLateYMs);
          },
          CConnectionSupervisor::kTickMs);
      if (Editor().link.online) return true;
    }
    return false;
  }

  /// True once the simulator has taken no frame for 300 ms (a frame held back for reordering goes
  /// within 100 ms); false when it never falls quiet.
  bool LineQuiet() {
    std::size_t seen = sim->ReceivedFrames().size();
    auto quietSince = std::chrono::steady_clock::now();
    return Drive(
        [&] {
          const std::size_t now = sim->ReceivedFrames().size();
          if (now != seen) {
            seen = now;
            quietSince = std::chrono::steady_clock::now();
          }
          return std::chrono::steady_clock::now() - quietSince > std::chrono::milliseconds(300);
        },
        0, 20);
  }

  /// Addresses a command and a report carry where the processor does not hold the editor's value
  /// as the wire leaves it.
  std::vector<ParamAddr> Mismatches() {
    const CDeviceState processor = sim->StateSnapshot();
    std::vector<ParamAddr> out;
    for (const ParamAddr& a : test::CarriedAddresses()) {
      if (ReportOf(a) == ReportedBy::None || CommandsFor(a).empty()) continue;
      if (ReadParam(processor, a) != AfterWire(a, ReadParam(Editor(), a))) out.push_back(a);
    }
    return out;
  }


  std::mt19937 m_rng{20261211};
  Tally m_tally;
};

TEST_F(SoakAgainstSim, ThousandsOfChangesOverABadNetworkThenOneSyncLeavesBothEqual) {
  simIp = "127.0.0.186";
  editorIp = "127.0.0.187";
  SimServerSettings settings;
  settings.rate = kReportsPerSecond;
  StartSim(settings);
  StartSession();
  ASSERT_TRUE(ConnectAfterQueries(1));
  sim->Console(kOutboundFaults);
  sim->Console(kInboundFaults);
  ASSERT_TRUE(sim->WaitFor([&] { return sim->DropRate() > 0.0; }, kRealDeadlineMs));

  const int total = ChangesToMake();
  const int silenceEvery = total / (kSilences + 1);
  while (m_tally.changes < total) {
    OneChange();
    if (m_tally.changes % 8 == 0) Pump();
    if (m_tally.reconnects < kSilences && m_tally.changes >= silenceEvery * (m_tally.reconnects + 1)) {
      ASSERT_NO_FATAL_FAILURE(LoseAndRegainTheProcessor(25));
    }
  }
  // Last, the processor goes deaf for a moment while the operator works on, connected.
  sim->Console("silence 1");
  ASSERT_TRUE(sim->WaitFor([&] { return sim->Silent(); }, kRealDeadlineMs));
  for (int i = 0; i < kDeafChanges; ++i) OneChange();
  ASSERT_TRUE(m_session->Queue().WaitIdle(kRealDeadlineMs));
  ASSERT_TRUE(sim->WaitFor([&] { return !sim->Silent(); }, kRealDeadlineMs));
  const FaultCounts out = sim->OutboundFaults();
  const FaultCounts in = sim->InboundFaults();

  // The network heals: what is still on its way arrives (the line falls quiet), then the comparison
  // sends what differs.
  sim->Console("faults off");
  ASSERT_TRUE(sim->WaitFor([&] { return sim->DropRate() == 0.0; }, kRealDeadlineMs));
  ASSERT_TRUE(Drive([&] { return m_session->Queue().WaitIdle(50) && !m_session->Changes().Busy(); }, 0, 20));
  ASSERT_TRUE(LineQuiet());
  const std::size_t before = Mismatches().size();

  CProcessorSync sync(*m_session);
  std::size_t found = 0;
  int rounds = 0;
  for (; rounds < kSyncRounds; ++rounds) {
    ASSERT_TRUE(sync.Compare().Empty());
    ASSERT_TRUE(Drive([&] { return sync.Poll(); }, CConnectionSupervisor::kTickMs));
    ASSERT_EQ(sync.Phase(), FreshReadPhase::Done);
    if (rounds == 0) found = sync.Differences().size();
    if (sync.Differences().empty()) break;
    ASSERT_NE(sync.SendEditorValues(), 0u);
    ASSERT_TRUE(Drive([&] { return sync.SendProgress().Done(); }, 0, 20));
    ASSERT_TRUE(m_session->Queue().WaitIdle(kRealDeadlineMs));
  }
  const std::vector<ParamAddr> after = Mismatches();

  std::printf(
      "soak: %d changes (%d applied, %d unchanged, %d refused, %d busy; %d drags, %d typed, %d plans, %d undos, "
      "%d redos, %d offline), %d reconnects (%d presses of CONNECT)\n"
      "soak: faults out: %llu of %llu frames (%llu lost, %llu doubled, %llu reordered, %llu corrupted, %llu split); "
      "in: %llu of %llu frames (%llu lost, %llu doubled, %llu reordered, %llu corrupted, %llu split)\n"
      "soak: %zu reported fields differed before the sync (%zu differences found), %zu after %d rounds\n",
      m_tally.changes, m_tally.applied, m_tally.unchanged, m_tally.refused, m_tally.busy, m_tally.drags,
      m_tally.typed, m_tally.plans, m_tally.undos, m_tally.redos, m_tally.offlineChanges, m_tally.reconnects, m_tally.connectPresses,
      static_cast<unsigned long long>(out.Faults()), static_cast<unsigned long long>(out.frames),
      static_cast<unsigned long long>(out.lost), static_cast<unsigned long long>(out.duplicated),
      static_cast<unsigned long long>(out.reordered), static_cast<unsigned long long>(out.corrupted),
      static_cast<unsigned long long>(out.split), static_cast<unsigned long long>(in.Faults()),
      static_cast<unsigned long long>(in.frames), static_cast<unsigned long long>(in.lost),
      static_cast<unsigned long long>(in.duplicated), static_cast<unsigned long long>(in.reordered),
      static_cast<unsigned long long>(in.corrupted), static_cast<unsigned long long>(in.split), before, found,
      after.size(), rounds);
  RecordProperty("changes", m_tally.changes);
  RecordProperty("faults_out", static_cast<int>(out.Faults()));
  RecordProperty("faults_in", static_cast<int>(in.Faults()));
  RecordProperty("mismatches_before", static_cast<int>(before));
  RecordProperty("mismatches_after", static_cast<int>(after.size()));

  EXPECT_EQ(m_tally.reconnects, kSilences);
  EXPECT_GT(m_tally.applied, total / 2) << "most changes were taken";
  EXPECT_GT(out.lost * in.lost * out.duplicated * in.duplicated * out.reordered * in.reordered, 0u)
      << "every kind of damage happened both ways";
  EXPECT_GT(out.corrupted * in.corrupted * out.split * in.split, 0u);
  EXPECT_GT(before, 0u) << "the damage left the processor behind the editor";
  EXPECT_GE(found, before) << "the comparison saw every difference";
  ASSERT_LT(rounds, kSyncRounds);
  EXPECT_TRUE(after.empty()) << after.size() << " fields differ: " << test::Describe(after);
}

}  // namespace
}  // namespace orvx
