// Every switch of the parameter table takes its own captions in either language and the words of
// any switch (ON/OFF in either language, true/false, yes/no, 1/0), whatever its captions say; the
// editor's typed entry and orvxctl read them through the same parse.

#include "session/ParamTable.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace orvx {
namespace {

std::optional<std::int32_t> Typed(ParamId id, const std::string& text) {
  const auto v = ParseParam({id, 0, 0}, text);
  return v ? std::optional<std::int32_t>(v->raw) : std::nullopt;
}

TEST(ParamSwitchWords, EverySwitchTakesItsCaptionsAndTheWordsOfAnySwitchInBothLanguages) {
  struct Case {
    const char* typed;
    std::int32_t raw;
  };
  const std::vector<Case> anySwitch = {
      {"on", 1},  {"ON", 1},  {"On", 1}, {"开", 1},    {"true", 1},  {"TRUE", 1}, {"yes", 1}, {"1", 1},
      {"off", 0}, {"OFF", 0}, {"关", 0}, {"false", 0}, {"False", 0}, {"no", 0},   {"NO", 0},  {"0", 0},
  };
  // One switch of each caption pair: CLOSE/OPEN, OFF/ON, MIC/LINE, AUTO/MAN.
  for (ParamId id : {ParamId::InMute, ParamId::InPhantom, ParamId::OutLine, ParamId::AutoMode}) {
    SCOPED_TRACE(Param(id).name);
    for (const Case& c : anySwitch) EXPECT_EQ(Typed(id, c.typed), c.raw) << c.typed;
    for (std::int32_t raw : {0, 1}) {
      for (Language l : {Language::English, Language::Chinese}) {
        EXPECT_EQ(Typed(id, FormatParam({id, 0, 0}, {raw, {}}, l)), raw) << "its own caption";
      }
    }
  }
  EXPECT_EQ(Typed(ParamId::InMute, "打开"), 1);
  EXPECT_EQ(Typed(ParamId::InMute, "关闭"), 0);
  EXPECT_EQ(Typed(ParamId::AutoMode, "手动"), 1);
}

TEST(ParamSwitchWords, OtherWordsAndNumbersAreRefused) {
  for (ParamId id : {ParamId::InMute, ParamId::InPhantom, ParamId::OutLine}) {
    SCOPED_TRACE(Param(id).name);
    for (const char* typed : {"", "2", "-1", "0.5", "onn", "o", "y", "n", "t", "enable", "maybe", "开关", "on off"})
      EXPECT_EQ(Typed(id, typed), std::nullopt) << typed;
  }
  // A list is no switch: the words of a switch are not its captions.
  EXPECT_EQ(Typed(ParamId::InSource, "on"), std::nullopt);
  EXPECT_EQ(Typed(ParamId::InSource, "true"), std::nullopt);
}

}  // namespace
}  // namespace orvx
