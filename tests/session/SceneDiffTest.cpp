#include "session/SceneDiff.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/SceneTestSupport.h"

namespace orvx {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

/// The editor's state and a scene that differs from it by hand: a Chinese name, an EQ band, a
/// route, a control group's member, an output level.
struct Pair {
  CDeviceState from = scenetest::EditedState();
  CDeviceState to = from;
  Pair() {
    SetNameBytes(to.in[0].shortName, Utf8ToGbk("主讲"));
    to.in[4].peq[1].gain = 150;
    to.in[3].route[5] = 1;
    to.controlGroups[1].inputs[2] = 0;
    to.controlGroups[1].memberCount = 0;
    to.out[0].level = 50;
  }
};

TEST(SceneDiff, ListsEveryChangeByPageChannelAndParameterInBothLanguages) {
  const Pair p;
  const auto diffs = DiffStates(p.from, p.to);
  ASSERT_EQ(diffs.size(), 6u);
  const std::string en = FormatDiff(diffs, p.from, "EDITOR", "SCENE 3", Language::English);
  EXPECT_EQ(en,
            "EDITOR -> SCENE 3: 6 values differ.\n"
            "CHANNEL\n"
            "  IN 1 (讲台)\n"
            "    NAME: 讲台 -> 主讲\n"
            "  MASTER 1 (主扩)\n"
            "    VOLUME: -30dB -> -10dB\n"
            "EQ\n"
            "  IN 5\n"
            "    BAND2 GAIN: -3.0dB -> 0.0dB\n"
            "MATRIX\n"
            "  IN 4\n"
            "    OUT6: OFF -> ON\n"
            "GROUPS\n"
            "  CONTROL GROUP 2 (会议)\n"
            "    IN3: ON -> OFF\n"
            "    MEMBERS: 1 -> 0\n");
  const std::string zh = FormatDiff(diffs, p.from, "编辑器", "场景 3", Language::Chinese);
  EXPECT_THAT(zh, HasSubstr("编辑器 -> 场景 3: 6 个值不同。\n通道\n  输入1（讲台）\n    名称: 讲台 -> 主讲\n"));
  EXPECT_THAT(zh, HasSubstr("均衡\n  输入5\n    频段2 增益: -3.0dB -> 0.0dB\n"));
  EXPECT_THAT(zh, HasSubstr("矩阵\n  输入4\n    输出6: 关 -> 开\n"));
  EXPECT_THAT(zh, HasSubstr("分组\n  控制分组2（会议）\n    输入3: 开 -> 关\n"));

  // The rows a dialog shows carry the same texts.
  const auto rows = DiffRows(diffs, p.from, Language::English);
  EXPECT_EQ(rows[2].page, "EQ");
  EXPECT_EQ(rows[2].channel, "IN 5");
  EXPECT_EQ(rows[2].parameter, "BAND2 GAIN");
  EXPECT_EQ(rows[2].to, "0.0dB");
}

TEST(SceneDiff, AnIdenticalSceneSaysSo) {
  const CDeviceState s = scenetest::EditedState();
  CDeviceState live = s;
  live.link.online = true;  // the link is no value of a scene
  live.in[0].meter = 44;    // nor a meter
  EXPECT_TRUE(DiffStates(s, live).empty());
  EXPECT_EQ(FormatDiff({}, s, "EDITOR", "SCENE 1", Language::English),
            "EDITOR -> SCENE 1: No differences: both hold the same values.\n");
  EXPECT_EQ(FormatDiff({}, s, "编辑器", "场景 1", Language::Chinese),
            "编辑器 -> 场景 1: 没有差异：两者的值完全相同。\n");
}

TEST(SceneDiff, AComparisonWithTheProcessorCountsOnlyWhatItReportsAsTheWireLeavesIt) {
  const CDeviceState processor = scenetest::EditedState();
  CDeviceState editor = processor;
  editor.in[4].peq[1].gain += 1;   // an odd gain travels halved: the processor keeps the even one
  editor.in[2].solo = 1;           // no report carries SOLO
  editor.in[0].peq[4].gain = 160;  // nor band 5
  EXPECT_TRUE(DiffStates(processor, editor, DiffReach::Reported).empty());
  EXPECT_EQ(DiffStates(processor, editor).size(), 3u) << "a scene holds them all";
  editor.in[3].route[5] = 1;
  editor.in[4].peq[1].gain += 1;
  const auto diffs = DiffStates(processor, editor, DiffReach::Reported);
  ASSERT_EQ(diffs.size(), 2u);
  EXPECT_EQ(diffs[0].addr, (ParamAddr{ParamId::InPeqGain, 4, 1}));
  EXPECT_EQ(diffs[1].addr, (ParamAddr{ParamId::InRoute, 3, 5}));
}

}  // namespace
}  // namespace orvx
