#include "session/SceneController.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "common/PresetTestSupport.h"
#include "common/SceneTestSupport.h"
#include "core/StateImage.h"
#include "device/SceneRecall.h"
#include "gui/FakeShellSession.h"
#include "session/CommandFrames.h"

namespace orvx {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class SceneControllerTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(m_db.Open(m_dir.Dir()), "");
    session.state = scenetest::EditedState();
    session.state.link.deviceIp = "127.0.0.170";
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (int k = 0; k < kSceneKeys; ++k) out.push_back(scenes.KeyCaption(k));
    while (!out.empty() && out.back().empty()) out.pop_back();
    return out;
  }
  /// Saves the state with one value changed, then puts the value back.
  void SaveWithLevel(int level) {
    const int was = session.state.in[0].level;
    session.state.in[0].level = level;
    ASSERT_TRUE(scenes.Save().Empty());
    session.state.in[0].level = was;
  }
  RecallPreview Prepare(std::int64_t id) {
    auto prepared = scenes.PrepareRecall(id);
    EXPECT_TRUE(std::holds_alternative<RecallPreview>(prepared)) << std::get<BilingualText>(prepared).en;
    return std::get<RecallPreview>(std::move(prepared));
  }

  presettest::CTempDir m_dir;
  scenetest::CScopedDataHome m_dataHome{m_dir.Path() / "xdg"};
  CPresetDatabase m_db;
  CSceneStore m_store{m_db, m_dir.Path()};
  test::FakeShellSession session;
  CSceneController scenes{session, &m_store};
};

TEST_F(SceneControllerTest, KeysShowTheScenesInRowOrderWhateverTheirIds) {
  for (int i = 0; i < 7; ++i) ASSERT_TRUE(scenes.Save().Empty());
  for (std::int64_t id : {3, 4, 5, 6}) ASSERT_TRUE(scenes.Delete(id).Empty());
  EXPECT_THAT(Captions(), ElementsAre("1:SAVE1", "2:SAVE2", "7:SAVE7"));
  EXPECT_TRUE(std::filesystem::exists(m_dir.Path() / "xdg/Trash/files/SAVE3.dat")) << "deleted to the desktop trash";
  EXPECT_EQ(scenes.SceneOnKey(2), 7);
  EXPECT_EQ(scenes.SceneOnKey(3), 0);
  ASSERT_TRUE(scenes.Save().Empty());
  EXPECT_THAT(Captions(), ElementsAre("1:SAVE1", "2:SAVE2", "7:SAVE7", "8:SAVE8"));

  EXPECT_THAT(scenes.Rename(8, "会议室ABCD").en, HasSubstr("Channel name is too long.")) << "9 bytes";
  EXPECT_THAT(scenes.Rename(8, "").en, HasSubstr("cannot be empty"));
  EXPECT_TRUE(scenes.Rename(8, "会议室AB").Empty());
  EXPECT_EQ(scenes.KeyCaption(3), "8:会议室AB");

  CSceneController none(session, nullptr);
  EXPECT_EQ(none.Save().en, captions::kNoSceneStore.en);
}

TEST_F(SceneControllerTest, RecallShowsTheChangesFirstThenReplacesTheStateAndPushesItAsOneGatingPlan) {
  SaveWithLevel(40);
  session.GoOnline();
  session.Changes().Set({ParamId::InMute, 3, 0}, {1, {}});
  ASSERT_TRUE(session.Changes().CanUndo());
  session.clock.Advance(1000);
  ASSERT_EQ(session.Sent().size(), 1u);

  const RecallPreview preview = Prepare(1);
  EXPECT_EQ(session.state.in[0].level, 54) << "nothing changes before the operator confirms";
  ASSERT_EQ(preview.changes.size(), 2u);
  EXPECT_EQ(preview.changes[0].addr, (ParamAddr{ParamId::InLevel, 0, 0}));
  EXPECT_EQ(preview.changes[1].addr, (ParamAddr{ParamId::InMute, 3, 0}));
  EXPECT_EQ(preview.loaded.clamped, 0);

  session.state.controlGroupOn[0] = session.state.controlGroupOn[2] = 1;
  ASSERT_TRUE(scenes.Recall(preview).Empty());
  for (int g = 0; g < kGroups; ++g) EXPECT_EQ(session.state.controlGroupOn[g], 0) << "control group " << g + 1;
  EXPECT_EQ(session.state.in[0].level, 40);
  EXPECT_EQ(session.state.in[3].mute, 0);
  EXPECT_TRUE(session.state.link.online) << "the link stays as it is";
  EXPECT_FALSE(session.Changes().CanUndo());
  EXPECT_TRUE(scenes.RecallRunning());
  EXPECT_EQ(session.Changes().Set({ParamId::InLevel, 0, 0}, {10, {}}), ChangeResult::Busy);
  EXPECT_EQ(scenes.Recall(preview).en, captions::kPlanRunning.en) << "not twice at once";

  std::vector<std::string> expected = {session.Sent().front()};  // the mute went before
  for (const Datagram& d : SceneRecallPlan(session.state, session.Glyphs())) expected.push_back(d.bytes);
  EXPECT_EQ(session.Sent(), expected);
  EXPECT_FALSE(scenes.RecallRunning());
}

TEST_F(SceneControllerTest, RecallOfTheChangesOnlySendsTheirFramesAndOfflineNothing) {
  SaveWithLevel(40);
  session.state.in[3].route[5] = 1;
  session.GoOnline();
  ASSERT_TRUE(scenes.Recall(Prepare(1), true).Empty());
  const auto glyphs = [this]() -> IGlyphRenderer& { return session.Glyphs(); };
  EXPECT_THAT(session.Sent(), ElementsAre(BuildCommandFrame(session.state, {'A', 1, 0}, glyphs),
                                          BuildCommandFrame(session.state, {'B', 4, 0}, glyphs)));

  session.state.link.online = false;
  session.state.in[0].level = 70;
  ASSERT_TRUE(scenes.Recall(Prepare(1)).Empty());
  EXPECT_EQ(session.state.in[0].level, 40) << "offline the state still takes the scene";
  EXPECT_EQ(scenes.RecallPlan(), 0u);
  EXPECT_TRUE(session.Sent().size() == 2u) << "and nothing is sent";
}

TEST_F(SceneControllerTest, ARefusedOrDamagedFileChangesNothingAndAValueOutOfRangeIsCountedBeforeAnythingIsSent) {
  SaveWithLevel(40);
  ASSERT_TRUE(scenes.Save().Empty());
  const CDeviceState before = session.state;
  {
    std::ofstream cut(m_dir.Path() / "SAVE1.dat", std::ios::binary | std::ios::trunc);
    cut << std::string(100, '\0');
  }
  auto refused = scenes.PrepareRecall(1);
  ASSERT_TRUE(std::holds_alternative<BilingualText>(refused));
  EXPECT_THAT(std::get<BilingualText>(refused).en, HasSubstr("holds 100 bytes"));
  EXPECT_EQ(image::EncodeScene(session.state), image::EncodeScene(before));

  CDeviceState damaged = session.state;
  damaged.in[1].level = 90;
  damaged.out[3].limiter[5] = 0;
  const auto bytes = image::EncodeScene(damaged);
  std::ofstream(m_dir.Path() / "SAVE2.dat", std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  const RecallPreview preview = Prepare(2);
  EXPECT_EQ(preview.loaded.clamped, 2);
  EXPECT_EQ(preview.loaded.state.in[1].level, kLevelMax);
  EXPECT_EQ(preview.loaded.state.out[3].limiter[5], 10);
  EXPECT_EQ(scenes.PrepareRecall(9).index(), 1u);
}

}  // namespace
}  // namespace orvx
