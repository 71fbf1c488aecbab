#include "session/ProcessorSync.h"

#include <gtest/gtest.h>

#include "common/SceneTestSupport.h"
#include "gui/FakeShellSession.h"
#include "session/CommandFrames.h"

namespace orvx {
namespace {

class ProcessorSyncTest : public ::testing::Test {
protected:
  ProcessorSyncTest() {
    session.state = scenetest::EditedState();
    session.state.link.deviceIp = "127.0.0.171";
    processor = session.state;
    processor.in[0].level = 30;  // a burst of changes, some lost on the way
    processor.in[4].peq[1].gain = 140;
    SetNameBytes(processor.out[1].shortName, "OLD");
    processor.in[2].solo = 1;  // no report carries it: never a difference
  }
  /// The datagrams of the frame `key` names (a name goes in pieces).
  std::vector<std::string> Datagrams(const CommandKey& key) {
    std::vector<std::string> out;
    for (const Datagram& d :
         PlanFrame(BuildCommandFrame(session.state, key, [this]() -> IGlyphRenderer& { return session.Glyphs(); })))
      out.push_back(d.bytes);
    return out;
  }
  test::FakeShellSession session;
  CDeviceState processor;
  CProcessorSync sync{session};
};

TEST_F(ProcessorSyncTest, ComparesAFreshReadAndSendsOnlyTheDifferingFrames) {
  EXPECT_EQ(sync.Compare().en, captions::kCompareNeedsLink.en) << "offline there is nothing to read";
  session.GoOnline();
  ASSERT_TRUE(sync.Compare().Empty());
  EXPECT_EQ(session.freshReads, 1);
  EXPECT_FALSE(sync.Poll());
  session.fresh = {FreshReadPhase::Done, &processor};
  ASSERT_TRUE(sync.Poll());
  ASSERT_EQ(sync.Phase(), FreshReadPhase::Done);
  ASSERT_EQ(sync.Differences().size(), 3u);
  EXPECT_EQ(session.state.in[0].level, 54) << "the editor's state is not touched by the read";

  ASSERT_NE(sync.SendEditorValues(), 0u);
  EXPECT_EQ(session.Changes().Set({ParamId::InLevel, 0, 0}, {10, {}}), ChangeResult::Busy);
  std::vector<std::string> expected;
  for (const CommandKey& key : {CommandKey{'V', 14, 0}, CommandKey{'A', 1, 0}, CommandKey{'G', 5, 2}}) {
    const auto pieces = Datagrams(key);
    expected.insert(expected.end(), pieces.begin(), pieces.end());
  }
  EXPECT_EQ(session.Sent(), expected) << "the name first, then the level, then the band, as a whole push orders them";
  EXPECT_TRUE(sync.SendProgress().Done());
}

TEST_F(ProcessorSyncTest, TakingTheProcessorsValuesChangesTheEditorAndSendsNothing) {
  session.GoOnline();
  session.Changes().Set({ParamId::InMute, 3, 0}, {1, {}});
  session.clock.Advance(1000);
  ASSERT_EQ(session.Sent().size(), 1u);
  processor.in[3].mute = 1;
  ASSERT_TRUE(sync.Compare().Empty());
  session.fresh = {FreshReadPhase::Done, &processor};
  ASSERT_TRUE(sync.Poll());
  sync.TakeProcessorValues();
  EXPECT_EQ(session.state.in[0].level, 30);
  EXPECT_EQ(session.state.in[4].peq[1].gain, 140);
  EXPECT_EQ(NameBytes(session.state.out[1].shortName), "OLD");
  EXPECT_EQ(session.state.in[2].solo, 0) << "what the processor does not report stays the editor's";
  EXPECT_FALSE(session.Changes().CanUndo());
  EXPECT_EQ(session.Sent().size(), 1u) << "only the mute that went before";

  ASSERT_TRUE(sync.Compare().Empty());
  session.fresh = {FreshReadPhase::Failed, nullptr};
  ASSERT_TRUE(sync.Poll());
  EXPECT_EQ(sync.Phase(), FreshReadPhase::Failed);
  EXPECT_EQ(sync.SendEditorValues(), 0u);
}

}  // namespace
}  // namespace orvx
