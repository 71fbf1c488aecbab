// Scenes and the comparison with the processor against a simulator on loopback: after a recall's
// push, and after a sync that follows lost frames, the processor holds the editor's value in every
// field the frames carry.

#include <chrono>
#include <cstdio>

#include "CarriedFields.h"
#include "SimSessionFixture.h"
#include "common/PresetTestSupport.h"
#include "common/VariedState.h"
#include "core/StateImage.h"
#include "device/SceneRecall.h"
#include "session/ParamReport.h"
#include "session/ProcessorSync.h"
#include "session/SceneController.h"

namespace orvx {
namespace {

class SceneAgainstSim : public SimSessionFixture {
protected:
  /// The simulator on `sim` and the session on `editor`, connected.
  void Connected(const char* sim, const char* editor) {
    simIp = sim;
    editorIp = editor;
    StartSim({});
    StartSession();
    ASSERT_TRUE(ConnectAfterQueries(1));
  }
  GlyphSource Glyphs() {
    return [this]() -> IGlyphRenderer& { return m_session->Renderer(); };
  }
  /// The carried fields (whose frames change with them) where the processor does not hold the
  /// editor's value as the wire leaves it.
  std::vector<ParamAddr> Mismatches(const std::vector<ParamAddr>& among) {
    const CDeviceState processor = sim->StateSnapshot();
    std::vector<ParamAddr> out;
    for (const ParamAddr& a : among) {
      if (ReadParam(processor, a) != AfterWire(a, ReadParam(Editor(), a))) out.push_back(a);
    }
    return out;
  }
  std::vector<ParamAddr> SendableAddresses() {
    std::vector<ParamAddr> out;
    for (const ParamAddr& a : test::CarriedAddresses()) {
      if (test::Sendable(Editor(), a, Glyphs())) out.push_back(a);
    }
    return out;
  }

  presettest::CTempDir m_dir;
};

TEST_F(SceneAgainstSim, ARecalledScenesPushLeavesTheProcessorOnTheEditorsValueInEveryCarriedField) {
  ASSERT_NO_FATAL_FAILURE(Connected("127.0.0.174", "127.0.0.175"));

  CPresetDatabase db;
  ASSERT_EQ(db.Open(m_dir.Dir()), "");
  CSceneStore store(db, m_dir.Path());
  const SceneSaved saved = store.SaveImage(image::EncodeScene(scenetest::VariedState()), "Morning");
  ASSERT_TRUE(saved.Ok()) << saved.error;
  CSceneController scenes(*m_session, &store);
  auto prepared = scenes.PrepareRecall(saved.row.id);
  ASSERT_EQ(prepared.index(), 0u);
  const RecallPreview& preview = std::get<RecallPreview>(prepared);
  EXPECT_EQ(preview.loaded.clamped, 0);
  EXPECT_GT(preview.changes.size(), 1000u);

  const int pausesMs = PlanPauseMs(SceneRecallPlan(preview.loaded.state, m_session->Renderer()));
  const int reportsStarted = SimFrames("%Q,01,01");
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(scenes.Recall(preview).Empty());
  ASSERT_NE(scenes.RecallPlan(), 0u);
  ASSERT_TRUE(Drive([&] { return !scenes.RecallRunning(); }, 0, 20));
  const double wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  ASSERT_TRUE(Drive([&] { return SimFrames("%Q,01,01") > reportsStarted; }, 0))
      << "the push ends by restarting reports";
  std::printf("recall push: %.0f ms of wall time for %d ms of pauses (ratio %.3f)\n", wallMs, pausesMs,
              wallMs / pausesMs);
  RecordProperty("push_wall_ms", static_cast<int>(wallMs));
  RecordProperty("push_pause_ms", pausesMs);
  EXPECT_GE(wallMs, pausesMs) << "every pause is kept";

  const std::vector<ParamAddr> carried = SendableAddresses();
  EXPECT_GT(carried.size(), 1000u);
  const std::vector<ParamAddr> wrong = Mismatches(carried);
  EXPECT_TRUE(wrong.empty()) << wrong.size() << " fields differ: " << test::Describe(wrong);
  EXPECT_EQ(GbkToUtf8(NameBytes(sim->StateSnapshot().in[0].shortName)), "讲台");
}

TEST_F(SceneAgainstSim, AFreshReadFillsAStateOfItsOwnAndAsksThreeTimesAtMost) {
  ASSERT_NO_FATAL_FAILURE(Connected("127.0.0.178", "127.0.0.179"));
  // A change at the processor that no report has brought yet ("P" carries levels, so use a name).
  sim->Console("name in 3 Podium");
  ASSERT_TRUE(sim->WaitFor([&] { return NameBytes(sim->StateSnapshot().in[2].shortName) == "Podium"; }, 2000));
  ASSERT_TRUE(m_session->StartFreshRead());
  ASSERT_TRUE(Drive([&] { return m_session->FreshRead().phase != FreshReadPhase::Reading; }, 0));
  const FreshReadStatus read = m_session->FreshRead();
  ASSERT_EQ(read.phase, FreshReadPhase::Done);
  EXPECT_EQ(NameBytes(read.state->in[2].shortName), "Podium");
  EXPECT_NE(NameBytes(Editor().in[2].shortName), "Podium") << "the editor's state is not the read's";

  const int queries = SimFrames("%Z,");
  sim->Console("drop 100");
  ASSERT_TRUE(sim->WaitFor([&] { return sim->DropRate() == 1.0; }, 2000));
  ASSERT_TRUE(m_session->StartFreshRead());
  ASSERT_TRUE(Drive([&] { return m_session->FreshRead().phase != FreshReadPhase::Reading; }, 50));
  EXPECT_EQ(m_session->FreshRead().phase, FreshReadPhase::Failed);
  EXPECT_EQ(SimFrames("%Z,") - queries, kFreshReadAttempts);
  EXPECT_TRUE(Editor().link.online) << "a failed read is no lost connection";
}

TEST_F(SceneAgainstSim, AfterLostFramesTheComparisonFindsTheDifferencesAndTheSyncMendsThem) {
  ASSERT_NO_FATAL_FAILURE(Connected("127.0.0.176", "127.0.0.177"));
  // What already agrees must still agree after the sync; what the burst changes must agree too.
  std::vector<ParamAddr> watched;
  for (const ParamAddr& a : SendableAddresses()) {
    if (Mismatches({a}).empty()) watched.push_back(a);
  }
  ASSERT_GT(watched.size(), 500u);

  sim->Console("drop 30");
  ASSERT_TRUE(sim->WaitFor([&] { return sim->DropRate() > 0.29; }, 2000));
  // A burst of changes the processor reports back: levels, mutes, routes, EQ bands, a name.
  CChangePath& path = m_session->Changes();
  for (int ch = 0; ch < kWireInputs; ++ch) {
    path.Set({ParamId::InLevel, ch, 0}, {20 + ch, {}});
    path.Set({ParamId::InRoute, ch, ch % kOutputRecords}, {1 - Editor().in[ch].route[ch % kOutputRecords], {}});
    path.Set({ParamId::InPeqGain, ch, ch % 4}, {100 + 2 * ch, {}});
  }
  for (int out = 0; out < kOutputRecords; ++out) path.Set({ParamId::OutMute, out, 0}, {1, {}});
  path.Set({ParamId::InName, 2, 0}, {0, Utf8ToGbk("译员")});
  ASSERT_TRUE(m_session->Queue().WaitIdle(10'000));
  const std::size_t lost = Mismatches(watched).size();
  EXPECT_GT(lost, 3u) << "the burst lost some of its frames";

  CProcessorSync sync(*m_session);
  std::size_t found = 0;
  int rounds = 0;
  for (; rounds < 10; ++rounds) {
    ASSERT_TRUE(sync.Compare().Empty());
    // The fake clock moves so a lost query is asked again.
    ASSERT_TRUE(Drive([&] { return sync.Poll(); }, 50));
    if (sync.Phase() != FreshReadPhase::Done) continue;
    if (rounds == 0) found = sync.Differences().size();
    if (sync.Differences().empty()) break;
    const std::uint32_t plan = sync.SendEditorValues();
    ASSERT_NE(plan, 0u);
    ASSERT_TRUE(Drive([&] { return sync.SendProgress().Done(); }, 0, 20));
    ASSERT_TRUE(m_session->Queue().WaitIdle(5'000));
  }
  std::printf("sync: %zu fields lost by the burst, %zu differences found first, equal after %d rounds\n", lost, found,
              rounds);
  EXPECT_GE(found, lost) << "the first comparison saw every loss";
  ASSERT_LT(rounds, 10);
  const std::vector<ParamAddr> wrong = Mismatches(watched);
  EXPECT_TRUE(wrong.empty()) << wrong.size() << " fields differ: " << test::Describe(wrong);
  EXPECT_EQ(GbkToUtf8(NameBytes(sim->StateSnapshot().in[2].shortName)), "译员");
}

}  // namespace
}  // namespace orvx
