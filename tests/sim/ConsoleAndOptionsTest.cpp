#include "ConsoleCommand.h"
#include "SimDevice.h"
#include "SimOptions.h"
#include "WireText.h"

#include "link/Commands.h"
#include "link/FrameChecksum.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace orvx {
namespace {

TEST(ConsoleCommand, LinesChangeTheProcessorAndSayWhetherToReport) {
  struct Case {
    const char* line;
    bool sendsP;
    std::function<int(const CDeviceState&)> field;
    int expected;
  };
  const std::vector<Case> cases = {
      {"level in 3 40", true, [](auto& s) { return s.in[2].level; }, 40},
      {"level out 8 0", true, [](auto& s) { return s.out[7].level; }, 0},
      {"mute out 2 1", true, [](auto& s) { return s.out[1].mute; }, 1},
      {"mute in 4 1", false, [](auto& s) { return s.in[3].mute; }, 1},  // "P" has no input mutes
      {"line out 1 1", true, [](auto& s) { return s.out[0].lineLevel; }, 1},
      {"units 3", true, [](auto& s) { return s.unitCount; }, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    CSimDevice d({});
    const ConsoleResult r = ApplyConsoleLine(c.line, d);
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.sendLevels, c.sendsP);
    EXPECT_EQ(c.field(d.State()), c.expected);
  }
}

TEST(ConsoleCommand, BadLinesAreRefusedAndChangeNothing) {
  for (const char* line : {"level in 13 40", "level in 3 71", "level in 3", "mute out 9 1", "line in 1 1", "units 5",
                           "talk out 1 50", "silence -1", "wait 60001", "bogus", "level in x 4",
                           "faults in 1 2 3 4", "faults out 1 2 3 4 101", "faults both 1 2 3 4 5", "faults", "drop 101",
                           "drop"}) {
    SCOPED_TRACE(line);
    CSimDevice d({});
    const CDeviceState before = d.State();
    const ConsoleResult r = ApplyConsoleLine(line, d);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(std::memcmp(d.State().in, before.in, sizeof before.in), 0);
    EXPECT_EQ(std::memcmp(d.State().out, before.out, sizeof before.out), 0);
  }
  CSimDevice d({});
  EXPECT_TRUE(ApplyConsoleLine("", d).ok);
  EXPECT_TRUE(ApplyConsoleLine("# a comment", d).ok);
}

TEST(ConsoleCommand, FaultsSetOneDirectionOrBothOff) {
  CSimDevice d({});
  ConsoleResult r = ApplyConsoleLine("faults in 10 20 30 40 50", d);
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_TRUE(r.inboundFaults.has_value());
  EXPECT_FALSE(r.outboundFaults.has_value());
  EXPECT_DOUBLE_EQ(r.inboundFaults->loss, 0.1);
  EXPECT_DOUBLE_EQ(r.inboundFaults->dup, 0.2);
  EXPECT_DOUBLE_EQ(r.inboundFaults->reorder, 0.3);
  EXPECT_DOUBLE_EQ(r.inboundFaults->corrupt, 0.4);
  EXPECT_DOUBLE_EQ(r.inboundFaults->split, 0.5);
  r = ApplyConsoleLine("faults out 0 0 0 100 0", d);
  ASSERT_TRUE(r.outboundFaults.has_value());
  EXPECT_FALSE(r.inboundFaults.has_value());
  EXPECT_DOUBLE_EQ(r.outboundFaults->corrupt, 1.0);
  r = ApplyConsoleLine("faults off", d);
  ASSERT_TRUE(r.inboundFaults && r.outboundFaults);
  EXPECT_FALSE(r.inboundFaults->Any() || r.outboundFaults->Any());
}

TEST(ConsoleCommand, NameKeepsSpacesAndTheEightByteLimit) {
  CSimDevice d({});
  ASSERT_TRUE(ApplyConsoleLine("name in 1 Lectern Left", d).ok);
  EXPECT_EQ(NameBytes(d.State().in[0].shortName), "Lectern ");
  ASSERT_TRUE(ApplyConsoleLine("name out 2 中文名字长", d).ok);
  EXPECT_EQ(NameBytes(d.State().out[1].shortName).size(), 8u);
}

TEST(SimDevice, AnswersOnlyAfterTheIgnoredQueries) {
  SimDeviceSettings settings;
  settings.ignoreZ = 1;
  settings.firmwareVersion = "19";
  CSimDevice d(settings);
  const SimReply first = d.HandleCommand(FrameZ());
  EXPECT_TRUE(first.ignoredQuery);
  EXPECT_TRUE(first.frames.empty());
  const SimReply second = d.HandleCommand(FrameZ());
  ASSERT_EQ(second.frames.size(), 2u);
  EXPECT_EQ(second.frames[0].substr(0, 3), "%Z,");
  EXPECT_EQ(SplitElements(second.frames[0]).end()[-2], "19");
  EXPECT_EQ(second.frames[1].substr(0, 3), "%Y,");
}

TEST(SimDevice, AnswersTheSearchProbeAndTheBasicVersionQuery) {
  CSimDevice d({});
  const SimReply search = d.HandleCommand(FrameR());
  ASSERT_EQ(search.frames.size(), 1u);
  const auto fields = SplitElements(search.frames[0]);
  ASSERT_GE(fields.size(), 3u);
  EXPECT_EQ(fields[0], "R");
  EXPECT_EQ(fields[2], "00") << "field 2 read as a decimal number is 0";
  const SimReply basic = d.HandleCommand(CompleteFrame("%r,01,00,"));
  ASSERT_EQ(basic.frames.size(), 1u);
  EXPECT_EQ(SplitElements(basic.frames[0])[2], "300");
}

TEST(SimDevice, NamesFromOptionsAreStoredAsGbk) {
  SimDeviceSettings settings;
  settings.namesUtf8 = {"Lectern", "", "中文"};
  CSimDevice d(settings);
  EXPECT_EQ(NameBytes(d.State().in[0].shortName), "Lectern");
  EXPECT_EQ(NameBytes(d.State().in[2].shortName), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(NameBytes(d.State().in[3].shortName), "CH 4") << "missing names keep their defaults";
}

TEST(SimDevice, UnitsAreAssignedCalledAndReportedInTheNames) {
  SimDeviceSettings settings;
  settings.unitCount = 3;
  CSimDevice d(settings);
  CDeviceState editor;
  editor.ResetToDefaults();
  const std::uint8_t slots[kUnitSlotBytes] = {3, 0, 0, 0, 17};  // CH03, NULL, NULL, NULL, D01
  std::copy(std::begin(slots), std::end(slots), editor.unitSlots[1]);
  EXPECT_EQ(d.HandleCommand(FrameX(editor, 2)).effect.kind, CommandKind::Applied);
  const SimReply call = d.HandleCommand(FrameW(2));
  EXPECT_EQ(call.effect.kind, CommandKind::UnitCall);
  EXPECT_EQ(call.effect.unit, 2);
  EXPECT_TRUE(call.frames.empty()) << "a unit call is not answered";

  const SimReply full = d.HandleCommand(FrameZ());
  ASSERT_EQ(full.frames.size(), 2u);
  const auto y = SplitElements(full.frames[1]);
  ASSERT_EQ(y.size(), 6u);
  EXPECT_EQ(y[2].substr(10, 10), "03FFFFFF11") << "unit 2's slots, empty ones as FF";
  EXPECT_EQ(y[2].substr(0, 10), "FFFFFFFFFF");
  EXPECT_EQ(y[4], "3") << "the units present";
  ASSERT_TRUE(ApplyConsoleLine("units 1", d).ok);
  EXPECT_EQ(SplitElements(d.HandleCommand(FrameZ()).frames[1])[4], "1");
}

TEST(SimOptions, DefaultsStayOnLoopback) {
  const auto parsed = ParseSimOptions({});
  ASSERT_TRUE(std::holds_alternative<SimOptions>(parsed));
  const SimOptions& o = std::get<SimOptions>(parsed);
  EXPECT_EQ(o.server.ip, "127.0.0.2");
  EXPECT_EQ(o.server.port, 39030);
  EXPECT_EQ(o.server.replyPort, 39030) << "the processor answers on the editor's port";
  EXPECT_EQ(o.server.rate, 20);
  EXPECT_EQ(o.server.device.firmwareVersion, "32");
  EXPECT_FALSE(o.server.faults.Any());
}

TEST(SimOptions, ParsesEveryOptionAndRefusesBadValues) {
  const auto parsed =
      ParseSimOptions({"--ip",      "127.0.0.23", "--port",    "0",          "--version", "19",      "--names",
                       "A,B",       "--rate",     "1000",      "--loss",     "0.2",       "--dup",   "0.05",
                       "--reorder", "0.05",       "--corrupt", "0.05",       "--split",   "0.1",     "--seed",
                       "42",        "--duration", "1.5",       "--ignore-z", "1",         "--quiet", "--reply-port",
                       "40001",     "--units",    "3",         "--basic-version", "299", "--fault",
                       "drop-block=4,bad-crc,no-result", "--drop", "0.3", "--in-reorder", "0.4"});
  ASSERT_TRUE(std::holds_alternative<SimOptions>(parsed)) << std::get<std::string>(parsed);
  const SimOptions& o = std::get<SimOptions>(parsed);
  EXPECT_EQ(o.server.ip, "127.0.0.23");
  EXPECT_EQ(o.server.port, 0);
  EXPECT_EQ(o.server.device.firmwareVersion, "19");
  EXPECT_EQ(o.server.device.namesUtf8, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(o.server.rate, 1000);
  EXPECT_DOUBLE_EQ(o.server.faults.loss, 0.2);
  EXPECT_DOUBLE_EQ(o.server.faults.split, 0.1);
  EXPECT_DOUBLE_EQ(o.server.inbound.loss, 0.3);
  EXPECT_DOUBLE_EQ(o.server.inbound.reorder, 0.4);
  EXPECT_DOUBLE_EQ(o.server.inbound.dup, 0.0);
  EXPECT_EQ(o.server.seed, 42u);
  EXPECT_DOUBLE_EQ(o.durationS, 1.5);
  EXPECT_EQ(o.server.device.ignoreZ, 1);
  EXPECT_TRUE(o.quiet);
  EXPECT_EQ(o.server.replyPort, 40001);
  EXPECT_EQ(o.server.device.unitCount, 3);
  EXPECT_EQ(o.server.device.basicVersion, "299");
  EXPECT_EQ(o.server.device.firmwareFaults.dropBlockReply, 4);
  EXPECT_TRUE(o.server.device.firmwareFaults.badCrc);
  EXPECT_TRUE(o.server.device.firmwareFaults.noResult);

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{{"--ip", "localhost"},
                                                                                   {"--port", "70000"},
                                                                                   {"--rate", "0"},
                                                                                   {"--loss", "1.5"},
                                                                                   {"--in-dup", "-0.1"},
                                                                                   {"--version", "3,2"},
                                                                                   {"--version"},
                                                                                   {"--seed", "-1"},
                                                                                   {"--script", "--quiet"},
                                                                                   {"--frobnicate", "1"},
                                                                                   {"--talkers", "13"},
                                                                                   {"--units", "5"},
                                                                                   {"--reply-port", "65536"},
                                                                                   {"--basic-version", "3.0"},
                                                                                   {"--fault", "drop-block"},
                                                                                   {"--fault", "slow"}}) {
    const auto refused = ParseSimOptions(bad);
    ASSERT_TRUE(std::holds_alternative<std::string>(refused)) << bad[0];
    const std::string& error = std::get<std::string>(refused);
    EXPECT_NE(error.find(bad[0]), std::string::npos) << "the option is named: " << error;
    if (bad.size() > 1 && bad[0] != "--frobnicate") {
      EXPECT_NE(error.find(bad[1]), std::string::npos) << "and the bad word: " << error;
    }
    EXPECT_EQ(error.find('\n'), std::string::npos) << "one line: " << error;
  }
}

TEST(SimOptions, HelpListsEveryOptionAndWinsOverABadWord) {
  for (const std::vector<std::string>& words :
       std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"--port", "70000", "--help"}, {"--version", "-h"}}) {
    const auto parsed = ParseSimOptions(words);
    ASSERT_TRUE(std::holds_alternative<CommandLineHelp>(parsed)) << words[0];
    const std::string& help = std::get<CommandLineHelp>(parsed).text;
    EXPECT_NE(help.find("usage: orvx-sim [OPTIONS]"), std::string::npos) << help;
    for (const char* option :
         {"--ip", "--port", "--reply-port", "--version", "--names", "--rate", "--talkers", "--loss", "--dup",
          "--reorder", "--corrupt", "--split", "--seed", "--ignore-z", "--units", "--script", "--duration", "--quiet",
          "--basic-version", "--fault"})
      EXPECT_NE(help.find(std::string("\n  ") + option + " "), std::string::npos) << option;
    EXPECT_NE(help.find("Console (stdin)"), std::string::npos);
  }
}

}  // namespace
}  // namespace orvx
