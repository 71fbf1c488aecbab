#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "core/TextCodec.h"
#include "device/FactoryRecovery.h"
#include "link/Commands.h"
#include "link/FrameChecksum.h"
#include "link/LinkTestDoubles.h"
#include "device/PlanTokens.h"

namespace orvx {
namespace {

TEST(FactoryRecoveryGuard, RefusedWhileAnUpdateRuns) {
  const Caption* busy = RecoveryRefusal(true);
  ASSERT_NE(busy, nullptr);
  EXPECT_STREQ(busy->en, "Reseting device.......");
  EXPECT_EQ(RecoveryRefusal(false), nullptr);
}

/// A state as the operator left it: start-up values with some edits, units, groups and keys on.
class FactoryRecoveryTest : public ::testing::Test {
protected:
  FactoryRecoveryTest() {
    m_state.ResetToDefaults();
    m_state.in[0].peq[4].freq = 7777;  // band 5 keeps its frequency
    m_state.in[0].dyn2[1] = 42;        // only the first dyn2 element is recovered
    m_state.in[0].mute = 1;
    m_state.in[3].route[5] = 0;
    m_state.in[12].level = 33;  // record 12 and up are not recovered
    m_state.out[2].geq[7].gain = 3;
    m_state.detector[1] = 9;  // not part of the factory set
    m_state.unitSlots[2][3] = 12;
    m_state.muteGroups[1].inputs[4] = 1;
    m_state.controlGroups[0].memberCount = 3;
    m_state.controlGroupOn[0] = m_state.controlGroupOn[2] = m_state.controlGroupOn[3] = 1;
  }
  CDeviceState m_state;
};

struct FieldCase {
  const char* field;
  std::function<std::int32_t(const CDeviceState&)> get;
  std::int32_t value;
};

TEST_F(FactoryRecoveryTest, WritesTheFactoryValueSet) {
  RecoverFactoryState(m_state);
  const FieldCase cases[] = {
      {"in0.route3", [](auto& s) { return s.in[3].route[5]; }, 1},
      {"in0.peq1.freq", [](auto& s) { return s.in[0].peq[0].freq; }, 200},
      {"in0.peq3.freq", [](auto& s) { return s.in[0].peq[2].freq; }, 1000},
      {"in0.peq4.freq", [](auto& s) { return s.in[0].peq[3].freq; }, 5000},
      {"in0.peq5.freq", [](auto& s) { return s.in[0].peq[4].freq; }, 7777},
      {"in11.peq5.gain", [](auto& s) { return s.in[11].peq[4].gain; }, 150},
      {"in5.peq2.q", [](auto& s) { return s.in[5].peq[1].q; }, 20},
      {"in5.peq2.type", [](auto& s) { return s.in[5].peq[1].type; }, 0},
      {"in0.peqOn", [](auto& s) { return s.in[0].peqOn; }, 1},
      {"in0.hpfFreq", [](auto& s) { return s.in[0].hpfFreq; }, 20},
      {"in0.lpfFreq", [](auto& s) { return s.in[0].lpfFreq; }, 20000},
      {"in0.lpfSlope", [](auto& s) { return s.in[0].lpfSlope; }, 2},
      {"in0.mute", [](auto& s) { return s.in[0].mute; }, 0},
      {"in7.level", [](auto& s) { return s.in[7].level; }, 60},
      {"in8.level", [](auto& s) { return s.in[8].level; }, 0},
      {"in11.phantom", [](auto& s) { return s.in[11].phantom; }, 1},
      {"in7.preampGain", [](auto& s) { return s.in[7].preampGain; }, 2},
      {"in8.preampGain", [](auto& s) { return s.in[8].preampGain; }, 0},
      {"in4.threshold", [](auto& s) { return s.in[4].threshold; }, 35},
      {"in0.comp1", [](auto& s) { return s.in[0].comp[1]; }, 30},
      {"in0.comp3", [](auto& s) { return s.in[0].comp[3]; }, 100},
      {"in0.comp5", [](auto& s) { return s.in[0].comp[5]; }, 10},
      {"in0.dyn2_0", [](auto& s) { return s.in[0].dyn2[0]; }, 0},
      {"in0.dyn2_1", [](auto& s) { return s.in[0].dyn2[1]; }, 42},
      {"in12.level", [](auto& s) { return s.in[12].level; }, 33},
      {"out2.geq7.freq", [](auto& s) { return s.out[2].geq[7].freq; }, 0},
      {"out2.geq7.gain", [](auto& s) { return s.out[2].geq[7].gain; }, 150},
      {"out2.geq7.q", [](auto& s) { return s.out[2].geq[7].q; }, 25},
      {"out7.level", [](auto& s) { return s.out[7].level; }, 0},
      {"out0.lineLevel", [](auto& s) { return s.out[0].lineLevel; }, 1},
      {"out5.limiter2", [](auto& s) { return s.out[5].limiter[2]; }, 100},
      {"automix.maxOpen", [](auto& s) { return s.automix[kMaxOpen]; }, 1},
      {"automix.nom", [](auto& s) { return s.automix[kNom]; }, 27},
      {"automix.autoMan", [](auto& s) { return s.automix[kAutoMan]; }, 0},
      {"sync", [](auto& s) { return s.sync; }, 1},
      {"detector1", [](auto& s) { return s.detector[1]; }, 9},
      {"unit2.slot3", [](auto& s) { return std::int32_t{s.unitSlots[2][3]}; }, 0},
      {"mute2.in4", [](auto& s) { return s.muteGroups[1].inputs[4]; }, 0},
      {"control1.count", [](auto& s) { return s.controlGroups[0].memberCount; }, 0},
  };
  for (const FieldCase& c : cases) EXPECT_EQ(c.get(m_state), c.value) << c.field;
  for (int g = 0; g < kGroups; ++g) EXPECT_EQ(m_state.controlGroupOn[g], 0) << "control group " << g + 1 << " switched off";
  EXPECT_EQ(NameBytes(m_state.in[0].shortName), "CH 1");
  EXPECT_EQ(NameBytes(m_state.in[11].shortName), "CH 12");
  EXPECT_EQ(NameBytes(m_state.out[0].shortName), "M 1");
  EXPECT_EQ(NameBytes(m_state.out[7].shortName), "D 4");
}

TEST_F(FactoryRecoveryTest, ChineseNamesFollowTheLanguage) {
  m_state.language = Language::Chinese;
  RecoverFactoryState(m_state);
  EXPECT_EQ(GbkToUtf8(NameBytes(m_state.in[2].shortName)), "通道 3");
}

TEST_F(FactoryRecoveryTest, PushIsOnePlanInTheProcessorsOrder) {
  RecoverFactoryState(m_state);
  test::PatternGlyphRenderer glyphs;
  const FramePlan plan = FactoryRecoveryPlan(m_state, glyphs);

  // Reassemble the name frames from their pieces; every other frame is one datagram.
  const std::vector<std::string> tokens = test::Tokens(plan);
  std::map<char, int> perLetter;
  for (std::size_t i = 0; i < plan.size(); ++i) {
    const Datagram& d = plan[i];
    if (d.bytes[0] != '%') {
      EXPECT_EQ(plan[i - 1].pauseAfterMs, 10) << "a name piece waits 10 ms before the next";
      continue;
    }
    ++perLetter[d.bytes[1]];
  }
  // Datagrams: Q, 4 X, 20 x (3 name pieces + A), 12 B + 8 x (C E F) + 12 O, 8 x (D H I J K L),
  // 12 x 4 G + 8 I, M, then what the recovery also reset: 12 G of band 5 and 4 x (C E F), Q.
  EXPECT_EQ(plan.size(), 1u + 4 + 20 * 4 + (12 + 24 + 12) + 48 + (48 + 8) + 1 + (12 + 12) + 1);
  const std::map<char, int> expectedCounts = {{'Q', 2}, {'X', 4}, {'V', 20}, {'A', 20}, {'B', 12}, {'C', 12},
                                              {'E', 12}, {'F', 12}, {'O', 12}, {'D', 8},  {'H', 8},  {'I', 16},
                                              {'J', 8}, {'K', 8}, {'L', 8},  {'G', 60}, {'M', 1}};
  EXPECT_EQ(perLetter, expectedCounts);

  EXPECT_EQ(plan.front().bytes, FrameQ(false));
  EXPECT_EQ(plan.front().pauseAfterMs, 20);
  EXPECT_EQ(plan.back().bytes, FrameQ(true));
  EXPECT_EQ(plan.back().pauseAfterMs, 20);

  const auto slice = [&](const std::string& from, std::size_t n) { return test::Slice(tokens, from, n); };
  EXPECT_EQ(slice("Q00", 7), "Q00 X01 X02 X03 X04 V01 A01 ");
  EXPECT_EQ(slice("V20", 4), "V20 A20 B01 C01 ");
  EXPECT_EQ(slice("B08", 8), "B08 C08 E08 F08 O08 B09 O09 B10 ");
  EXPECT_EQ(slice("O12", 8), "O12 D01 H01 I01 J01 K01 L01 D02 ");
  EXPECT_EQ(slice("L08", 2), "L08 G01.1 ");
  EXPECT_EQ(slice("G08.1", 7), "G08.1 G08.2 G08.3 G08.4 I08 G09.1 G09.2 ");
  EXPECT_EQ(slice("G12.1", 6), "G12.1 G12.2 G12.3 G12.4 M G01.5 ");
  EXPECT_EQ(slice("G12.5", 5), "G12.5 C09 E09 F09 C10 ");
  EXPECT_EQ(slice("C12", 4), "C12 E12 F12 Q01 ");

  // Pauses by kind: 100 ms after each unit, 150 ms after each name's last piece, 20 ms elsewhere.
  for (std::size_t i = 0; i < plan.size(); ++i) {
    const Datagram& d = plan[i];
    const bool nextIsPiece = i + 1 < plan.size() && plan[i + 1].bytes[0] != '%';
    if (nextIsPiece) continue;
    const int expected = d.bytes.rfind("%X", 0) == 0 ? 100 : (d.bytes[0] != '%' ? 150 : 20);
    EXPECT_EQ(d.pauseAfterMs, expected) << i << ": " << d.bytes.substr(0, 12);
  }

  // The frames carry the recovered state.
  EXPECT_NE(std::find_if(plan.begin(), plan.end(),
                         [](const Datagram& d) { return d.bytes == CompleteFrame("%B,01,04,11111111,"); }),
            plan.end());
  EXPECT_NE(std::find_if(plan.begin(), plan.end(),
                         [](const Datagram& d) { return d.bytes == CompleteFrame("%A,01,09,00,00,"); }),
            plan.end());
}

}  // namespace
}  // namespace orvx
