#include "session/ParamTable.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <set>
#include <string>

namespace orvx {
namespace {

std::string Shown(ParamId id, std::int32_t raw, Language l = Language::English, int record = 0, int index = 0) {
  return FormatParam({id, record, index}, {raw, {}}, l);
}

/// Every parameter's every representative raw value shows as a text that parses back to itself,
/// in both languages, also when the process runs under a comma-decimal locale.
TEST(ParamTable, EveryValueRoundTripsThroughItsTextInBothLanguages) {
  const bool comma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  std::set<std::string> names;
  for (const ParamDef& d : AllParams()) {
    EXPECT_TRUE(names.insert(d.name).second) << "duplicate name " << d.name;
    EXPECT_EQ(&Param(d.id), &d);
    EXPECT_EQ(FindParam(d.name), &d);
    if (d.display.kind == DisplayKind::Text) continue;
    for (int record : {0, d.records - 1}) {
      const std::int32_t hi = RawMaxFor(d, record);
      ASSERT_LE(d.rawMin, hi) << d.name;
      for (std::int32_t raw : {d.rawMin, (d.rawMin + hi) / 2, hi}) {
        const ParamAddr a{d.id, record, d.indices > 0 ? d.indices - 1 : 0};
        if (ClampParam(a, {raw, {}}).raw != raw) continue;  // not a value this address can hold
        for (Language l : {Language::English, Language::Chinese}) {
          const std::string text = FormatParam(a, {raw, {}}, l);
          EXPECT_EQ(text.find(','), std::string::npos) << d.name << " shows " << text;
          const auto back = ParseParam(a, text);
          ASSERT_TRUE(back.has_value()) << d.name << " cannot read its own text '" << text << "'";
          EXPECT_EQ(back->raw, raw) << d.name << " '" << text << "'";
        }
      }
    }
  }
  std::setlocale(LC_ALL, "C");
  if (!comma) GTEST_SKIP() << "checked without a comma-decimal locale";
}

TEST(ParamTable, ShowsTheSystemsFormats) {
  struct Case {
    ParamId id;
    std::int32_t raw;
    Language lang;
    int record;
    const char* text;
  } cases[] = {
      {ParamId::InLevel, 0, Language::English, 0, "-60dB"},
      {ParamId::InLevel, 70, Language::English, 0, "10dB"},
      {ParamId::InPeqGain, 151, Language::English, 0, "0.1dB"},
      {ParamId::InPhase, 150, Language::English, 0, "0.50"},
      {ParamId::InCompRatio, 25, Language::English, 0, "1:2.5 "},
      {ParamId::InCompGain, 200, Language::English, 0, "20.0 dB"},
      {ParamId::OutDelay, 3, Language::English, 0, "1.5 ms"},
      {ParamId::AutoHoldTime, 2, Language::English, 0, "100 ms"},
      {ParamId::InThreshold, 35, Language::English, 0, "-45 dB"},
      {ParamId::AutoNom, 27, Language::English, 0, "-3 dB"},
      {ParamId::InSource, 2, Language::English, 0, "D2"},
      {ParamId::InMute, 1, Language::English, 0, "OPEN"},
      {ParamId::InMute, 0, Language::Chinese, 0, "关闭"},
      {ParamId::InPreamp, 2, Language::English, 0, "35 dB"},
      {ParamId::InPreamp, 1, Language::English, 9, "10 dB"},
      {ParamId::OutLine, 1, Language::English, 0, "LINE"},
      {ParamId::InHpfSlope, 8, Language::English, 0, "-48dB/Oct"},
      {ParamId::UnitSlot, 13, Language::English, 0, "M01"},
      // Whatever a damaged file holds is shown as the number it is, never wrapped around.
      {ParamId::InPeqGain, INT32_MIN, Language::English, 0, "-214748379.8dB"},
      {ParamId::InLevel, INT32_MAX, Language::English, 0, "2147483587dB"},
      {ParamId::UnitSlot, INT32_MIN, Language::English, 0, "-2147483648"},
  };
  for (const Case& c : cases) EXPECT_EQ(Shown(c.id, c.raw, c.lang, c.record), c.text) << Param(c.id).name;
}

TEST(ParamTable, TypedTextIsClampedOrRefused) {
  struct Case {
    ParamAddr addr;
    const char* typed;
    std::optional<std::int32_t> raw;
  } cases[] = {
      {{ParamId::InLevel, 0, 0}, "-6", 54},
      {{ParamId::InLevel, 0, 0}, "25dB", 70},
      {{ParamId::InLevel, 0, 0}, "3.5x", std::nullopt},
      {{ParamId::InLevel, 0, 0}, "loud", std::nullopt},
      {{ParamId::InPeqFreq, 0, 2}, "30000Hz", 20000},
      // EQ gains travel halved: a value lands on the step that can travel (-3.5 dB goes as -3.6 dB).
      {{ParamId::InPeqGain, 0, 0}, "-3,5", 114},
      {{ParamId::InPeqGain, 0, 0}, "+3.2", 182},
      {{ParamId::OutGeqGain, 2, 30}, "0.1", 150},
      // A band's shape: a low shelf only on band 1, a high shelf only on band 4.
      {{ParamId::InPeqType, 0, 0}, "LOW SHELF", 1},
      {{ParamId::InPeqType, 0, 3}, "low shelf", std::nullopt},
      {{ParamId::InPeqType, 0, 3}, "2", 2},
      {{ParamId::InPeqType, 0, 1}, "HIGH SHELF", std::nullopt},
      {{ParamId::InPeqType, 0, 1}, "0", 0},
      {{ParamId::InGateThreshold, 0, 0}, "-20 dB", 40},
      {{ParamId::InGateRelease, 0, 0}, "5 ms", 20},
      {{ParamId::InSource, 0, 0}, "d3", 3},
      {{ParamId::InSource, 0, 0}, "9", std::nullopt},
      {{ParamId::InSource, 0, 0}, "99999999999999999999", std::nullopt},
      {{ParamId::InSource, 0, 0}, "-4294967296", std::nullopt},
      {{ParamId::InMute, 0, 0}, "打开", 1},
      {{ParamId::InMute, 0, 0}, "close", 0},
      // Every switch takes the words scripts use, beside its captions.
      {{ParamId::InMute, 3, 0}, "on", 1},
      {{ParamId::InMute, 3, 0}, "OFF", 0},
      {{ParamId::InMute, 3, 0}, "true", 1},
      {{ParamId::InMute, 3, 0}, "false", 0},
      {{ParamId::InMute, 3, 0}, "1", 1},
      {{ParamId::InMute, 3, 0}, "0", 0},
      {{ParamId::InMute, 3, 0}, "2", std::nullopt},
      {{ParamId::InMute, 3, 0}, "maybe", std::nullopt},
      {{ParamId::OutLine, 0, 0}, "yes", 1},
      {{ParamId::InPreamp, 9, 0}, "45 dB", std::nullopt},
      {{ParamId::InCompRatio, 0, 0}, "1:4", 40},
  };
  for (const Case& c : cases) {
    const auto v = ParseParam(c.addr, c.typed);
    EXPECT_EQ(v ? std::optional<std::int32_t>(v->raw) : std::nullopt, c.raw) << c.typed;
  }
}

TEST(ParamTable, CommandsFollowTheWireNumbering) {
  struct Case {
    ParamAddr addr;
    std::vector<CommandKey> keys;
  } cases[] = {
      {{ParamId::InLevel, 4, 0}, {{'A', 5, 0}}},
      {{ParamId::InLevel, 16, 0}, {{'A', 27, 0}}},
      {{ParamId::InLevel2, 17, 0}, {{'A', 30, 0}}},
      {{ParamId::InLevel, 13, 0}, {}},
      {{ParamId::InMute, 16, 0}, {{'A', 27, 0}}},
      {{ParamId::InMute2, 17, 0}, {{'A', 30, 0}}},
      {{ParamId::InMute2, 3, 0}, {}},
      {{ParamId::OutMute, 2, 0}, {{'A', 15, 0}}},
      {{ParamId::InPeqGain, 15, 1}, {{'G', 16, 2}}},
      {{ParamId::InPeqOn, 0, 0}, {{'G', 1, 1}, {'G', 1, 2}, {'G', 1, 3}, {'G', 1, 4}, {'G', 1, 5}}},
      {{ParamId::InRoute, 12, 3}, {}},
      {{ParamId::InRoute, 11, 3}, {{'B', 12, 0}}},
      {{ParamId::InThreshold, 7, 0}, {{'L', 8, 0}}},
      {{ParamId::InPhantom, 11, 0}, {{'O', 12, 0}}},
      {{ParamId::OutName, 1, 0}, {{'V', 14, 0}}},
      {{ParamId::InSend, 0, 2}, {}},
      {{ParamId::InGateThreshold, 0, 0}, {}},
      {{ParamId::InPolarity, 0, 0}, {}},
      {{ParamId::AutoNom, 0, 0}, {{'M', 0, 0}}},
      {{ParamId::UnitSlot, 3, 4}, {{'X', 4, 0}}},
      {{ParamId::InLevel, 18, 0}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(CommandsFor(c.addr), c.keys) << Param(c.addr.id).name << " " << c.addr.record;
}

TEST(ParamTable, NamesAreGbkAndCutAtTheField) {
  CDeviceState s;
  s.ResetToDefaults();
  const ParamAddr a{ParamId::InName, 2, 0};
  const auto v = ParseParam(a, "会议室");
  ASSERT_TRUE(v);
  WriteParam(s, a, *v);
  EXPECT_EQ(FormatParam(a, ReadParam(s, a), Language::English), "会议室");
  EXPECT_EQ(ReadParam(s, a).text.size(), 6u);
  EXPECT_FALSE(ParseParam(a, "").has_value());
}

}  // namespace
}  // namespace orvx

namespace orvx {

// A value from a file, a report or a script lands on what the processor can hold and carry.
TEST(ParamTable, ClampingKeepsOnlyWhatCanTravel) {
  struct Case {
    ParamAddr addr;
    std::int32_t raw;
    std::int32_t clamped;
  } cases[] = {
      {{ParamId::InPeqGain, 0, 0}, 301, 300}, {{ParamId::InPeqGain, 0, 2}, 201, 200},
      {{ParamId::InPeqGain, 0, 4}, -7, 0},    {{ParamId::OutGeqGain, 7, 0}, 17, 16},
      {{ParamId::InPeqType, 0, 3}, 1, 0},     {{ParamId::InPeqType, 0, 3}, 2, 2},
      {{ParamId::InPeqType, 0, 2}, 2, 0},     {{ParamId::InPeqType, 0, 0}, 1, 1},
      {{ParamId::InGateAttack, 0, 0}, 0, 1},  {{ParamId::InCompGain, 0, 0}, 201, 200},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ClampParam(c.addr, {c.raw, {}}).raw, c.clamped) << Param(c.addr.id).name << " " << c.raw;
}

}  // namespace orvx
