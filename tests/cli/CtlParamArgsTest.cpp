// orvxctl's command line for the values of the parameter table: names, 1-based records and
// indices, values in the operator's units or raw, the older in|out forms, and every refusal.

#include "CtlOptions.h"
#include "CtlParamCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace orvx {
namespace {

std::vector<std::string> Line(std::vector<std::string> words) {
  std::vector<std::string> args = {"--device", "127.0.0.9"};
  args.insert(args.end(), words.begin(), words.end());
  return args;
}

struct Accepted {
  std::vector<std::string> words;
  CtlCommand command;
  ParamAddr addr;
  std::int32_t raw;  ///< set: the value to send
};

TEST(CtlParamArgs, NamesRecordsIndicesAndValuesBecomeAddressesAndRawValues) {
  const std::vector<Accepted> cases = {
      {{"get", "in.peq.gain", "3", "2"}, CtlCommand::Get, {ParamId::InPeqGain, 2, 1}, 0},
      {{"set", "in.level", "3", "4dB"}, CtlCommand::Set, {ParamId::InLevel, 2, 0}, 64},
      {{"set", "in.level", "18", "-60"}, CtlCommand::Set, {ParamId::InLevel, 17, 0}, 0},
      {{"set", "in.peq.gain", "1", "2",
        "\xE2\x88\x92"
        "3.6dB"},
       CtlCommand::Set,
       {ParamId::InPeqGain, 0, 1},
       114},
      {{"set", "in.peq.gain", "1", "5", "+15dB"}, CtlCommand::Set, {ParamId::InPeqGain, 0, 4}, 300},
      {{"set", "in.source", "5", "D2"}, CtlCommand::Set, {ParamId::InSource, 4, 0}, 2},
      {{"set", "in.mute", "4", "open"}, CtlCommand::Set, {ParamId::InMute, 3, 0}, 1},
      {{"set", "in.preamp", "9", "10 dB"}, CtlCommand::Set, {ParamId::InPreamp, 8, 0}, 1},
      {{"set", "in.hpf.slope", "2", "-24dB/Oct"}, CtlCommand::Set, {ParamId::InHpfSlope, 1, 0}, 4},
      {{"set", "out.geq.gain", "2", "31", "100", "--raw"}, CtlCommand::Set, {ParamId::OutGeqGain, 1, 30}, 100},
      {{"--raw", "set", "in.comp.ratio", "1", "25"}, CtlCommand::Set, {ParamId::InCompRatio, 0, 0}, 25},
      {{"set", "in.comp.ratio", "1", "1:2.5"}, CtlCommand::Set, {ParamId::InCompRatio, 0, 0}, 25},
      {{"set", "automix.nom", "-5dB"}, CtlCommand::Set, {ParamId::AutoNom, 0, 0}, 25},
      {{"set", "unit.slot", "2", "3", "M02"}, CtlCommand::Set, {ParamId::UnitSlot, 1, 2}, 14},
      {{"set", "controlgroup.switch", "4", "14", "ON"}, CtlCommand::Set, {ParamId::ControlGroupSwitch, 3, 13}, 1},
      // The older forms keep their raw values.
      {{"get", "in", "3", "level"}, CtlCommand::Get, {ParamId::InLevel, 2, 0}, 0},
      {{"set", "out", "2", "mute", "1"}, CtlCommand::Set, {ParamId::OutMute, 1, 0}, 1},
      {{"set", "in", "3", "level", "40"}, CtlCommand::Set, {ParamId::InLevel, 2, 0}, 40},
  };
  for (const Accepted& c : cases) {
    SCOPED_TRACE(c.words[1] + " " + c.words.back());
    const auto parsed = ParseCtlOptions(Line(c.words));
    ASSERT_TRUE(std::holds_alternative<CtlOptions>(parsed)) << std::get<std::string>(parsed);
    const CtlOptions& o = std::get<CtlOptions>(parsed);
    EXPECT_EQ(o.command, c.command);
    EXPECT_EQ(o.addr, c.addr);
    if (c.command == CtlCommand::Set) {
      EXPECT_EQ(o.paramValue.raw, c.raw);
    }
  }
}

TEST(CtlParamArgs, ANameIsSetAsGbkTextAndTheOlderFormIsMarked) {
  const auto parsed = ParseCtlOptions(Line({"set", "out.name", "8", "中文"}));
  ASSERT_TRUE(std::holds_alternative<CtlOptions>(parsed)) << std::get<std::string>(parsed);
  const CtlOptions& o = std::get<CtlOptions>(parsed);
  EXPECT_EQ(o.addr, (ParamAddr{ParamId::OutName, 7, 0}));
  EXPECT_EQ(o.paramValue.text, "\xD6\xD0\xCE\xC4");
  EXPECT_FALSE(o.legacy);
  EXPECT_TRUE(std::get<CtlOptions>(ParseCtlOptions(Line({"get", "in", "1", "name"}))).legacy);
}

TEST(CtlParamArgs, BadNamesRecordsIndicesAndValuesAreRefusedWithTheReason) {
  struct Refused {
    std::vector<std::string> words;
    std::string reason;
  };
  const std::vector<Refused> cases = {
      {{"get", "in.volume", "1"}, "unknown parameter in.volume"},
      {{"get", "in.level", "0"}, "CH 1..18, not 0"},
      {{"get", "in.level", "19"}, "CH 1..18, not 19"},
      {{"get", "out.level", "9"}, "OUT 1..8, not 9"},
      {{"get", "in.level"}, "missing CH"},
      {{"get", "in.peq.gain", "1"}, "missing BAND"},
      {{"get", "in.peq.gain", "1", "6"}, "BAND 1..5, not 6"},
      {{"set", "in.level", "3"}, "missing value"},
      {{"set", "in.level", "3", "loud"}, "cannot read \"loud\""},
      {{"set", "in.level", "3", "4dBx"}, "cannot read \"4dBx\""},
      {{"set", "in.level", "3", "11dB"}, "in.level must be -60dB .. 10dB"},
      {{"set", "in.level", "3", "71", "--raw"}, "raw in.level must be 0..70"},
      {{"set", "in.level", "3", "4dB", "--raw"}, "raw in.level must be 0..70"},
      {{"set", "in.source", "5", "D5"}, "cannot read \"D5\""},
      {{"set", "in.preamp", "9", "45 dB"}, "cannot read \"45 dB\""},
      {{"set", "in.name", "1", "ABCDEFGHI"}, "Channel name is too long."},
      {{"set", "automix.nom", "-5dB", "1"}, "unexpected argument 1"},
      {{"set", "in.preamp", "9", "25 dB"}, "(0 dB|10 dB)"},
      {{"params", "--raw"}, "--raw belongs to get and set"},
      {{"get", "in", "3", "level", "--raw"}, "--raw belongs to the NAME form"},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.words[1]);
    const auto parsed = ParseCtlOptions(Line(c.words));
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed));
    EXPECT_NE(std::get<std::string>(parsed).find(c.reason), std::string::npos) << std::get<std::string>(parsed);
  }
}

TEST(CtlParamArgs, ParamsNeedsNoDeviceButEveryOtherCommandDoes) {
  const auto params = ParseCtlOptions({"params", "--json"});
  ASSERT_TRUE(std::holds_alternative<CtlOptions>(params));
  EXPECT_EQ(std::get<CtlOptions>(params).command, CtlCommand::Params);
  EXPECT_TRUE(std::get<CtlOptions>(params).json);
  EXPECT_TRUE(std::holds_alternative<std::string>(ParseCtlOptions({"get", "in.level", "1"})));
}

TEST(CtlParamArgs, WhatCannotReachTheProcessorIsRefusedBeforeConnecting) {
  struct Case {
    std::vector<std::string> words;
    bool refused;
  };
  const std::vector<Case> cases = {
      {{"set", "in.solo", "3", "OPEN"}, true},  // no command carries it
      {{"set", "mutegroup.in", "1", "2", "ON"}, true},
      {{"set", "in.level", "13", "0dB"}, true},  // inputs 13..16 have no level channel
      {{"get", "in.peq.gain", "1", "5"}, true},  // band 5 is not in the full state
      {{"get", "in.lpf.kind", "1"}, true},       // a full load sets the kind itself
      {{"get", "in.name", "13"}, true},
      {{"set", "in.lpf.kind", "1", "3"}, false},  // sent, though it cannot be confirmed
      {{"set", "in.peq.gain", "1", "5", "0dB"}, false},
      {{"get", "in.peq.gain", "12", "4"}, false},
      {{"get", "unit.slot", "4", "5"}, false},
      {{"set", "in", "12", "name", "Lectern"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words[1] + " " + c.words[2]);
    const auto parsed = ParseCtlOptions(Line(c.words));
    ASSERT_TRUE(std::holds_alternative<CtlOptions>(parsed)) << std::get<std::string>(parsed);
    const auto refusal = RefuseUnreachable(std::get<CtlOptions>(parsed));
    ASSERT_EQ(refusal.has_value(), c.refused);
    if (refusal) {
      EXPECT_EQ(refusal->code, kExitStateOnly);
      EXPECT_NE(refusal->error.find(c.words[1] + " " + c.words[2]), std::string::npos) << refusal->error;
    }
  }
}

}  // namespace
}  // namespace orvx
