#include <gtest/gtest.h>

#include "RecordingCommands.h"
#include "session/ProfileRules.h"
#include "session/ValueReadout.h"

namespace orvx {
namespace {

class ValueReadoutTest : public ::testing::Test {
protected:
  ValueReadoutTest() { state.ResetToDefaults(); }
  ReadoutTexts Show(int channel, int kind) {
    readout.Touch(channel, kind);
    return readout.Texts(state);
  }
  CDeviceState state;
  CValueReadout readout;
};

TEST_F(ValueReadoutTest, FormatsEachKind) {
  state.in[0].level = 70;
  state.in[0].mute = 1;
  state.in[0].solo = 0;
  state.in[0].phase = 150;
  state.in[0].peq[1].gain = 135;
  state.in[0].peq[1].freq = 500;
  state.in[0].peq[1].q = 45;
  state.in[0].sends[2] = 48;
  state.out[1].level = 0;
  state.out[1].geq[30].gain = 300;
  struct Case {
    int channel, kind;
    const char* caption;
    const char* value;
  };
  const Case cases[] = {
      {0, kinds::kMute, "MUTE", "OPEN"},   {0, kinds::kSolo, "SOLO", "CLOSE"},
      {0, kinds::kFader, "VOLUME", "10dB"}, {0, kinds::kPhase, "PHASE", "0.50"},
      {0, 8, "BAND2 GAIN", "-1.5dB"},      {0, 9, "BAND2 FRE", "500Hz"},
      {0, 10, "BAND2 Q", "4.5"},           {0, 43, "AUX2", "-12dB"},
      {0, 41, "MAIN VOL", ""},             {0, 52, "Attack", ""},
      {19, kinds::kFader, "VOLUME", "-60dB"}, {19, 35, "BAND31", "15.0dB"},
  };
  for (const auto& c : cases) {
    const ReadoutTexts t = Show(c.channel, c.kind);
    EXPECT_EQ(t.caption, c.caption) << c.kind;
    if (c.kind == 41) continue;  // default send level, checked below
    EXPECT_EQ(t.value, c.value) << c.kind;
  }
  EXPECT_EQ(Show(0, 0), ReadoutTexts{}) << "kind 0 shows nothing";
}

TEST_F(ValueReadoutTest, NameAndCaptionFollowLanguage) {
  state.language = Language::Chinese;
  state.ResetToDefaults();
  state.in[2].mute = 0;
  const ReadoutTexts t = Show(2, kinds::kMute);
  EXPECT_EQ(t.caption, "静音");
  EXPECT_EQ(t.value, "关闭");
  EXPECT_FALSE(t.name.empty());
  EXPECT_EQ(Show(0, 6).caption, "频段1 频率");
}

struct CommitCase {
  int channel, kind;
  const char* typed;
  bool accepted;
  ReadoutSend send;
  int wire, band;
};

TEST_F(ValueReadoutTest, TypedEntryConvertsClampsStoresAndNamesTheFrame) {
  const CommitCase cases[] = {
      {0, kinds::kFader, "-6", true, ReadoutSend::LevelMute, 1, 0},
      {0, kinds::kFader, "25dB", true, ReadoutSend::LevelMute, 1, 0},
      {14, kinds::kFader, "0", true, ReadoutSend::None, 15, 0},
      {3, kinds::kMute, "open", true, ReadoutSend::LevelMute, 4, 0},
      {3, kinds::kSolo, "1", true, ReadoutSend::None, 4, 0},
      {0, 6, "10", true, ReadoutSend::PeqBand, 1, 1},
      {15, 12, "30000Hz", true, ReadoutSend::PeqBand, 16, 3},
      {16, 12, "1000", true, ReadoutSend::None, 17, 3},
      {20, kinds::kMute, "CLOSE", true, ReadoutSend::LevelMute, 15, 0},
      {20, 5, "-20", true, ReadoutSend::GeqCurve, 3, 1},
      {0, kinds::kFader, "loud", false, ReadoutSend::None, 0, 0},
      {0, 52, "10", false, ReadoutSend::None, 0, 0},
  };
  for (const auto& c : cases) {
    readout.Touch(c.channel, c.kind);
    const ReadoutCommit r = readout.Commit(state, c.typed);
    EXPECT_EQ(r.accepted, c.accepted) << c.typed;
    EXPECT_EQ(r.send, c.send) << c.typed;
    if (c.accepted) {
      EXPECT_EQ(r.wireChannel, c.wire) << c.typed;
      EXPECT_EQ(r.band, c.band) << c.typed;
    }
  }
  EXPECT_EQ(state.in[0].level, 70) << "25 dB clamps to +10 dB";
  EXPECT_EQ(state.in[14].level, 60);
  EXPECT_EQ(state.in[3].mute, 1);
  EXPECT_EQ(state.in[3].solo, 1);
  EXPECT_EQ(state.in[0].peq[0].freq, 20) << "a frequency below 20 becomes 20";
  EXPECT_EQ(state.in[15].peq[2].freq, 20000);
  EXPECT_EQ(state.out[2].mute, 0);
  EXPECT_EQ(state.out[2].geq[0].gain, 0) << "-20 dB clamps to the bottom of 0..300";
}

TEST_F(ValueReadoutTest, GainAndQRoundToTheirSteps) {
  readout.Touch(1, 5);
  ASSERT_TRUE(readout.Commit(state, "3.5").accepted);
  EXPECT_EQ(state.in[1].peq[0].gain, 185);
  readout.Touch(1, 7);
  ASSERT_TRUE(readout.Commit(state, "0").accepted);
  EXPECT_EQ(state.in[1].peq[0].q, 1);
  ASSERT_TRUE(readout.Commit(state, "2.25").accepted);
  EXPECT_EQ(state.in[1].peq[0].q, 23);
}

TEST(ProfileRulesTest, HostIpRule) {
  EXPECT_EQ(HostIpFromProfile(std::nullopt, "192.168.1.106"), "192.168.1.106");
  EXPECT_EQ(HostIpFromProfile(std::nullopt, "127.0.0.2"), "127.0.0.2") << "missing key keeps current";
  EXPECT_EQ(HostIpFromProfile(std::string(), "127.0.0.2"), "192.168.1.106") << "empty gives default";
  EXPECT_EQ(HostIpFromProfile(std::string("127.0.0.9"), "127.0.0.2"), "127.0.0.9");
  EXPECT_TRUE(ChineseFromProfile(std::string("zh")));
  EXPECT_FALSE(ChineseFromProfile(std::string("en")));
  EXPECT_FALSE(ChineseFromProfile(std::nullopt));
}

}  // namespace
}  // namespace orvx
