#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <variant>

#include "common/PresetTestSupport.h"
#include "dsp/PresetCodec.h"
#include "session/ParamTable.h"
#include "session/PresetList.h"
#include "session/PresetValues.h"

namespace orvx {
namespace {

using presettest::CTempDir;
using presettest::RawSql;
using presettest::SameRecords;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

void Apply(CDeviceState& s, const std::vector<ParamWrite>& writes) {
  for (const ParamWrite& w : writes) WriteParam(s, w.addr, w.value);
}

class PresetListTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(m_db.Open(m_dir.Dir()), "");
    m_state.ResetToDefaults();
  }
  std::filesystem::path File() const { return m_dir.Path() / CPresetDatabase::kFileName; }
  /// The writes of a recall, or a failure with the message.
  std::vector<ParamWrite> Recalled(CPresetList& list, int row, int record) {
    auto result = list.Recall(row, m_state, record);
    if (const auto* message = std::get_if<BilingualText>(&result)) {
      ADD_FAILURE() << message->en;
      return {};
    }
    const auto& request = std::get<ChangeRequest>(result);
    EXPECT_EQ(request.origin, ChangeOrigin::Menu);
    return request.writes;
  }

  CTempDir m_dir;
  CPresetDatabase m_db;
  CDeviceState m_state;
};

TEST_F(PresetListTest, RowsAreSavePresetThenIdColonNameAndSavesAppend) {
  CPresetList list(m_db, PresetKind::Peq);
  EXPECT_EQ(list.Refill(), std::nullopt);
  EXPECT_THAT(list.Rows(), ElementsAre("SAVE PRESET"));
  EXPECT_EQ(list.Selected(), 0);
  ASSERT_EQ(list.Save(m_state, 0), std::nullopt);
  // Another editor on the same directory saves meanwhile: the list is not read again on a save.
  CPresetDatabase other;
  ASSERT_EQ(other.Open(m_dir.Dir()), "");
  ASSERT_TRUE(other.Save(PresetKind::Peq, EncodePreset(PresetKind::Peq, m_state, 0)).Ok());
  ASSERT_EQ(list.Save(m_state, 0), std::nullopt);
  EXPECT_THAT(list.Rows(), ElementsAre("SAVE PRESET", "1:SAVE1", "3:SAVE3"));
  EXPECT_EQ(list.Selected(), 0);
  list.Refill();
  EXPECT_THAT(list.Rows(), ElementsAre("SAVE PRESET", "1:SAVE1", "2:SAVE2", "3:SAVE3"));
}

TEST(PresetRowActionTest, ChoosingRowZeroSavesAndAPresetRowOpensTheMenu) {
  EXPECT_EQ(CPresetList::ActionOf(0), PresetRowAction::Save);
  EXPECT_EQ(CPresetList::ActionOf(4), PresetRowAction::Menu);
  EXPECT_EQ(CPresetList::ActionOf(-1), PresetRowAction::None);
}

TEST_F(PresetListTest, AFailedSaveAddsNoRow) {
  CPresetList list(m_db, PresetKind::Geq);
  list.Refill();
  ASSERT_EQ(list.Save(m_state, 0), std::nullopt);
  ASSERT_EQ(RawSql(File(), "CREATE TRIGGER full BEFORE INSERT ON \"GEQ\" BEGIN SELECT RAISE(ABORT, 'disk is full'); END;"),
            "");
  const PresetMessage message = list.Save(m_state, 0);
  ASSERT_TRUE(message);
  EXPECT_THAT(message->en, StartsWith("The preset was not saved."));
  EXPECT_THAT(message->en, HasSubstr("disk is full"));
  EXPECT_THAT(list.Rows(), ElementsAre("SAVE PRESET", "1:SAVE1"));
}

TEST_F(PresetListTest, DeleteReadsTheRowsAgainAndSelectsSavePreset) {
  CPresetList list(m_db, PresetKind::Limiter);
  list.Refill();
  for (int i = 0; i < 3; ++i) ASSERT_EQ(list.Save(m_state, 0), std::nullopt);
  EXPECT_EQ(list.Delete(3), std::nullopt);
  EXPECT_THAT(list.Rows(), ElementsAre("SAVE PRESET", "1:SAVE1", "2:SAVE2"));
  EXPECT_EQ(list.Selected(), 0);
  ASSERT_EQ(list.Save(m_state, 0), std::nullopt);
  EXPECT_THAT(list.Rows(), ElementsAre("SAVE PRESET", "1:SAVE1", "2:SAVE2", "3:SAVE3")) << "the highest freed again";
  EXPECT_EQ(list.Delete(0), std::nullopt) << "row 0 is no preset";
  EXPECT_EQ(list.Rows().size(), 4u);
}

TEST_F(PresetListTest, ANameFollowsTheRuleOfChannelNames) {
  CPresetList list(m_db, PresetKind::Noise);
  list.Refill();
  ASSERT_EQ(list.Save(m_state, 0), std::nullopt);
  struct Row {
    const char* name;
    bool stored;
  };
  const Row rows[] = {
      {"ABCDEFGH", true}, {"ABCDEFGHI", false}, {"预设一二", true}, {"预设一二三", false},
      {"", false},        {"Bob's", true},      {"x';--", true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const std::string before = list.NameOf(1);
    const PresetMessage message = list.Rename(1, r.name);
    if (r.stored) {
      EXPECT_EQ(message, std::nullopt);
      EXPECT_THAT(list.Rows(), ElementsAre("SAVE PRESET", std::string("1:") + r.name));
      EXPECT_EQ(list.Selected(), -1);
    } else {
      ASSERT_TRUE(message);
      if (*r.name != '\0') {
        EXPECT_THAT(message->en, StartsWith("Channel name is too long."));
      }
      EXPECT_EQ(list.NameOf(1), before);
    }
  }
  EXPECT_EQ(list.NameOf(0), "");
  EXPECT_EQ(list.Rename(0, "X"), std::nullopt) << "row 0 is no preset";
}

TEST_F(PresetListTest, EveryKindRecallsWhatWasSavedIntoAnotherRecord) {
  auto in = [](ParamId id, int record, int index, std::int32_t v) { return ParamWrite{{id, record, index}, {v, {}}}; };
  struct Row {
    PresetKind kind;
    int from, to;
    std::function<std::vector<ParamWrite>(int)> values;
  };
  const Row rows[] = {
      {PresetKind::Delay, 0, 0,
       [&](int) {
         return std::vector{in(ParamId::DelayTime1, 0, 0, 500), in(ParamId::DelayTime2, 0, 0, 900),
                            in(ParamId::DelayFeedback, 0, 0, 60), in(ParamId::DelayLpf, 0, 0, 8000)};
       }},
      {PresetKind::Reverb, 0, 0,
       [&](int) {
         return std::vector{in(ParamId::ReverbP1, 0, 0, 31), in(ParamId::ReverbP2, 0, 0, 99),
                            in(ParamId::ReverbP3, 0, 0, 64), in(ParamId::ReverbP4, 0, 0, 70),
                            in(ParamId::ReverbTime, 0, 0, 45), in(ParamId::ReverbLpf, 0, 0, 16000)};
       }},
      {PresetKind::Compressor, 2, 9,
       [&](int r) {
         return std::vector{in(ParamId::InCompOn, r, 0, 1),       in(ParamId::InCompThreshold, r, 0, 42),
                            in(ParamId::InCompAttack, r, 0, 7),   in(ParamId::InCompRelease, r, 0, 99),
                            in(ParamId::InCompGain, r, 0, 123),   in(ParamId::InCompRatio, r, 0, 55)};
       }},
      {PresetKind::Noise, 0, 15,
       [&](int r) {
         return std::vector{in(ParamId::InGateOn, r, 0, 1), in(ParamId::InGateThreshold, r, 0, 40),
                            in(ParamId::InGateAttack, r, 0, 9), in(ParamId::InGateRelease, r, 0, 77)};
       }},
      {PresetKind::Peq, 3, 17,
       [&](int r) {
         return std::vector{in(ParamId::InPeqType, r, 0, 1),   in(ParamId::InPeqFreq, r, 0, 120),
                            in(ParamId::InPeqGain, r, 0, 210), in(ParamId::InPeqQ, r, 0, 15),
                            in(ParamId::InPeqType, r, 3, 2),   in(ParamId::InPeqGain, r, 2, 0),
                            in(ParamId::InHpfOn, r, 0, 1),     in(ParamId::InHpfSlope, r, 0, 5),
                            in(ParamId::InHpfFreq, r, 0, 90),  in(ParamId::InHpfKind, r, 0, 7),
                            in(ParamId::InLpfOn, r, 0, 1),     in(ParamId::InLpfSlope, r, 0, 8),
                            in(ParamId::InLpfFreq, r, 0, 15000)};
       }},
      {PresetKind::Limiter, 6, 0,
       [&](int r) {
         return std::vector{in(ParamId::OutLimOn, r, 0, 1),      in(ParamId::OutLimThreshold, r, 0, 12),
                            in(ParamId::OutLimAttack, r, 0, 3),  in(ParamId::OutLimRelease, r, 0, 1),
                            in(ParamId::OutLimGain, r, 0, 180),  in(ParamId::OutLimRatio, r, 0, 70)};
       }},
      {PresetKind::Geq, 1, 4,
       [&](int r) {
         return std::vector{in(ParamId::OutGeqGain, r, 0, 0), in(ParamId::OutGeqGain, r, 15, 300),
                            in(ParamId::OutGeqGain, r, 30, 152)};
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(TableOf(row.kind).table);
    CPresetList list(m_db, row.kind);
    list.Refill();
    CDeviceState source = m_state;
    Apply(source, row.values(row.from));
    ASSERT_EQ(list.Save(source, row.from), std::nullopt);
    const std::vector<ParamWrite> writes = Recalled(list, 1, row.to);
    CDeviceState expected = m_state;
    Apply(expected, row.values(row.to));
    CDeviceState recalled = m_state;
    Apply(recalled, writes);
    EXPECT_TRUE(SameRecords(recalled, expected)) << "the saved values and nothing else";
    EXPECT_EQ(writes.size(), row.values(row.to).size()) << "a value the preset does not change is not written";
  }
}

TEST_F(PresetListTest, RecalledValuesAreClampedToTheirRanges) {
  struct Row {
    PresetKind kind;
    std::string block;
    std::vector<std::pair<ParamAddr, std::int32_t>> expect;
  };
  const std::string peqMax = std::string(56, 'F') + "," + std::string(12, 'f') + "," + std::string(12, 'F');
  const std::string peqZero = std::string(56, '0') + "," + std::string(12, '0') + "," + std::string(12, '0');
  const Row rows[] = {
      {PresetKind::Compressor, "FFFFFFFFFFFF",
       {{{ParamId::InCompOn, 4}, 1},
        {{ParamId::InCompThreshold, 4}, 60},
        {{ParamId::InCompRatio, 4}, 100},
        {{ParamId::InCompAttack, 4}, 250},
        {{ParamId::InCompRelease, 4}, 250},
        {{ParamId::InCompGain, 4}, 200}}},
      {PresetKind::Compressor, "000000000000",
       {{{ParamId::InCompRatio, 4}, 10}, {{ParamId::InCompAttack, 4}, 1}, {{ParamId::InCompRelease, 4}, 20}}},
      {PresetKind::Limiter, "02FF00000000",
       {{{ParamId::OutLimOn, 4}, 1}, {{ParamId::OutLimThreshold, 4}, 60}, {{ParamId::OutLimRelease, 4}, 1}}},
      {PresetKind::Peq, peqMax,
       {{{ParamId::InPeqType, 4, 0}, 0},  // band 1 is peaking or a low shelf: 255 is neither
        {{ParamId::InPeqType, 4, 3}, 2},
        {{ParamId::InPeqQ, 4, 1}, 200},
        {{ParamId::InPeqGain, 4, 2}, 300},
        {{ParamId::InPeqFreq, 4, 3}, 20000},
        {{ParamId::InHpfOn, 4}, 1},
        {{ParamId::InHpfKind, 4}, 255},
        {{ParamId::InHpfSlope, 4}, 8},
        {{ParamId::InLpfFreq, 4}, 20000}}},
      {PresetKind::Peq, peqZero,
       {{{ParamId::InPeqQ, 4, 0}, 1}, {{ParamId::InPeqFreq, 4, 3}, 20}, {{ParamId::InLpfSlope, 4}, 2}}},
      {PresetKind::Geq, std::string(124, 'F'), {{{ParamId::OutGeqGain, 4, 0}, 300}, {{ParamId::OutGeqGain, 4, 30}, 300}}},
      {PresetKind::Delay, "FFFF0000FFFFFF", {{{ParamId::DelayTime1}, 1000}, {{ParamId::DelayTime2}, 10},
                                             {{ParamId::DelayFeedback}, 100}, {{ParamId::DelayLpf}, 20000}}},
      {PresetKind::Reverb, "00FF00FF000000", {{{ParamId::ReverbP1}, 30}, {{ParamId::ReverbP2}, 100},
                                              {{ParamId::ReverbTime}, 1}, {{ParamId::ReverbLpf}, 20}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.block);
    auto writes = PresetWritesOf(row.kind, row.block, m_state, 4);
    ASSERT_TRUE(writes);
    CDeviceState recalled = m_state;
    Apply(recalled, *writes);
    for (const auto& [addr, value] : row.expect) EXPECT_EQ(ReadParam(recalled, addr).raw, value) << Param(addr.id).name;
    for (const ParamWrite& w : *writes) EXPECT_EQ(ClampParam(w.addr, w.value), w.value) << Param(w.addr.id).name;
  }
}

TEST_F(PresetListTest, SavedValuesAreClampedBeforeTheyAreWritten) {
  m_state.in[2].comp[5] = 300;        // ratio past 100 (and past two digits)
  m_state.in[2].comp[1] = -4;         // threshold below 0
  m_state.in[kDelayRecord].delayParams[0] = 70000;  // wider than four digits
  EXPECT_EQ(PresetBlockOf(PresetKind::Compressor, m_state, 2), "00" "00" "64" "01" "14" "00");
  EXPECT_EQ(PresetBlockOf(PresetKind::Delay, m_state, 2).substr(0, 4), "03E8");
  EXPECT_EQ(m_state.in[2].comp[5], 300) << "the state itself is left alone";
}

TEST_F(PresetListTest, ADamagedRowIsRefusedAndChangesNothing) {
  ASSERT_EQ(RawSql(File(), "INSERT INTO \"DELAY\" VALUES (1, 'short', '008500E8264E2');"
                           "INSERT INTO \"DELAY\" VALUES (2, 'long', '008500E8264E200');"
                           "INSERT INTO \"DELAY\" VALUES (3, 'not hex', '0085OOE8264E20');"
                           "INSERT INTO \"DELAY\" VALUES (4, 'blank', '0085 0E8264E20');"
                           "INSERT INTO \"DELAY\" VALUES (5, 'empty', '');"
                           "INSERT INTO \"DELAY\" VALUES (6, 'number', 85);"
                           "INSERT INTO \"DELAY\" VALUES (7, 'lower', '008500e8264e20');"
                           "INSERT INTO \"PEQ\" VALUES (1, 'comma', '" +
                               std::string(55, '0') + ",0" + std::string(12, '0') + "," + std::string(12, '0') + "');"),
            "");
  CPresetList delay(m_db, PresetKind::Delay);
  ASSERT_EQ(delay.Refill(), std::nullopt);
  CPresetList peq(m_db, PresetKind::Peq);
  ASSERT_EQ(peq.Refill(), std::nullopt);
  for (auto [list, row] : {std::pair{&delay, 1}, {&delay, 2}, {&delay, 3}, {&delay, 4}, {&delay, 5}, {&delay, 6},
                           {&peq, 1}}) {
    SCOPED_TRACE(list->Rows()[static_cast<std::size_t>(row)]);
    auto result = list->Recall(row, m_state, 0);
    ASSERT_TRUE(std::holds_alternative<BilingualText>(result));
    EXPECT_THAT(std::get<BilingualText>(result).en, HasSubstr("damaged"));
  }
  const auto lower = Recalled(delay, 7, 0);
  CDeviceState recalled = m_state;
  Apply(recalled, lower);
  EXPECT_EQ(recalled.in[kDelayRecord].delayParams[1], 232) << "lower-case digits are read";
}

TEST_F(PresetListTest, APresetDeletedElsewhereRecallsNothing) {
  CPresetList list(m_db, PresetKind::Reverb);
  list.Refill();
  ASSERT_EQ(list.Save(m_state, 0), std::nullopt);
  ASSERT_EQ(RawSql(File(), "DELETE FROM \"REV\""), "");
  EXPECT_TRUE(Recalled(list, 1, 0).empty());
}

TEST_F(PresetListTest, AnUnreadableTableLeavesOnlySavePreset) {
  CPresetList list(m_db, PresetKind::Compressor);
  list.Refill();
  ASSERT_EQ(list.Save(m_state, 0), std::nullopt);
  ASSERT_EQ(RawSql(File(), "DROP TABLE \"Compressor\""), "");
  const PresetMessage message = list.Refill();
  ASSERT_TRUE(message);
  EXPECT_THAT(message->en, HasSubstr("no such table"));
  EXPECT_THAT(list.Rows(), ElementsAre("SAVE PRESET"));
}

// The values a block holds are found from the block itself: what a script may confirm, refuse or
// send for a kind follows from them.
TEST(PresetAddressesTest, EachKindHoldsTheValuesOfItsBlockAndNoOthers) {
  struct Case {
    PresetKind kind;
    int record;
    std::size_t count;
    ParamAddr held;
    ParamAddr notHeld;
  };
  const Case cases[] = {
      {PresetKind::Peq, 2, 24, {ParamId::InHpfKind, 2, 0}, {ParamId::InPeqGain, 2, 4}},  // band 5 is not stored
      {PresetKind::Compressor, 5, 6, {ParamId::InCompRatio, 5, 0}, {ParamId::InCompRatio, 4, 0}},
      {PresetKind::Noise, 0, 4, {ParamId::InGateRelease, 0, 0}, {ParamId::InCompOn, 0, 0}},
      {PresetKind::Limiter, 7, 6, {ParamId::OutLimRelease, 7, 0}, {ParamId::OutLevel, 7, 0}},
      {PresetKind::Geq, 1, 31, {ParamId::OutGeqGain, 1, 30}, {ParamId::OutGeqOn, 1, 0}},
      {PresetKind::Delay, 3, 4, {ParamId::DelayTime2, 0, 0}, {ParamId::ReverbP1, 0, 0}},
      {PresetKind::Reverb, 0, 6, {ParamId::ReverbLpf, 0, 0}, {ParamId::DelayLpf, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(TableOf(c.kind).table);
    const std::vector<ParamAddr> held = PresetAddressesOf(c.kind, c.record);
    EXPECT_EQ(held.size(), c.count);
    EXPECT_NE(std::find(held.begin(), held.end(), c.held), held.end());
    EXPECT_EQ(std::find(held.begin(), held.end(), c.notHeld), held.end());
  }
  EXPECT_TRUE(PresetAddressesOf(PresetKind::Limiter, 8).empty()) << "no output 9";
}

}  // namespace
}  // namespace orvx
