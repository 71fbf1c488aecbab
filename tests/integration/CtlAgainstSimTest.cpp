// orvxctl and orvx-sim, the built programs, on a loopback address of their own (127.0.0.23) and an
// ephemeral port, so parallel test runs never meet.

#include "ChildProcess.h"

#include <gtest/gtest.h>

namespace orvx {
namespace {

constexpr const char* kSimIp = "127.0.0.23";

std::vector<std::string> Ctl(const CSimProcess& sim, std::vector<std::string> words) {
  std::vector<std::string> args = {"--device", kSimIp, "--port", std::to_string(sim.Port()), "--timeout", "12"};
  args.insert(args.end(), words.begin(), words.end());
  return args;
}

TEST(CtlAgainstSim, StatusJsonShowsFirmwareAndAllTwentyNames) {
  CSimProcess sim({"--ip", kSimIp, "--duration", "30", "--quiet", "--names", "Lectern,中文,Podium"});
  ASSERT_NE(sim.Port(), 0);
  const CommandResult r = RunProgram("orvxctl", Ctl(sim, {"status", "--json"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("\"firmware\":\"32\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"online\":true"), std::string::npos);
  EXPECT_NE(r.out.find("\"inputs\":[\"Lectern\",\"中文\",\"Podium\",\"CH 4\","), std::string::npos) << r.out;
  for (const char* name : {"\"CH 12\"", "\"M 1\"", "\"M 4\"", "\"D 1\"", "\"D 4\""})
    EXPECT_NE(r.out.find(name), std::string::npos) << name;
}

TEST(CtlAgainstSim, SetChangesTheProcessorSeenInItsNextFullState) {
  CSimProcess sim({"--ip", kSimIp, "--duration", "30", "--quiet"});
  ASSERT_NE(sim.Port(), 0);
  struct Case {
    std::vector<std::string> set;
    std::vector<std::string> get;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {{"set", "in", "3", "level", "40"}, {"get", "in", "3", "level", "--json"}, "\"level\":40,\"db\":-20"},
      {{"set", "out", "2", "mute", "1"}, {"get", "out", "2", "mute", "--json"}, "\"mute\":1"},
      {{"set", "in", "1", "name", "Lectern"}, {"get", "in", "1", "name", "--json"}, "\"name\":\"Lectern\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set[1] + c.set[2] + c.set[3]);
    const CommandResult set = RunProgram("orvxctl", Ctl(sim, c.set));
    ASSERT_EQ(set.exitCode, 0) << set.err;
    // A new run of orvxctl reads the processor's "Z" afresh.
    const CommandResult get = RunProgram("orvxctl", Ctl(sim, c.get));
    ASSERT_EQ(get.exitCode, 0) << get.err;
    EXPECT_NE(get.out.find(c.expected), std::string::npos) << get.out;
  }
}

TEST(CtlAgainstSim, ExitCodesForOldFirmwareBadArgumentsAndNoAnswer) {
  {
    CSimProcess old({"--ip", kSimIp, "--duration", "30", "--quiet", "--version", "19"});
    ASSERT_NE(old.Port(), 0);
    const CommandResult r = RunProgram("orvxctl", Ctl(old, {"status"}));
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_NE(r.err.find("Please update your device."), std::string::npos) << r.err;
  }
  const CommandResult bad = RunProgram("orvxctl", {"status"});
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_NE(bad.err.find("--device"), std::string::npos);
  const CommandResult range = RunProgram("orvxctl", {"--device", kSimIp, "set", "in", "13", "level", "4"});
  EXPECT_EQ(range.exitCode, 2);
  // A simulator that never answers: no answer within the timeout.
  CSimProcess mute({"--ip", kSimIp, "--duration", "30", "--quiet", "--ignore-z", "100"});
  ASSERT_NE(mute.Port(), 0);
  const CommandResult none = RunProgram(
      "orvxctl", {"--device", kSimIp, "--port", std::to_string(mute.Port()), "--timeout", "1.5", "status", "--json"});
  EXPECT_EQ(none.exitCode, 3);
  EXPECT_NE(none.out.find("\"error\":\"CANNOT CONNECT.\""), std::string::npos) << none.out;
}

}  // namespace
}  // namespace orvx
