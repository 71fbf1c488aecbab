// orvxctl and orvx-sim, the built programs, each on a loopback address of its own. The simulator
// answers on a fixed port; most tests give it an ephemeral port and let it answer on that same
// number, where orvxctl binds on its own address, so parallel test runs never meet.

#include "ChildProcess.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>

namespace orvx {
namespace {

constexpr const char* kSimIp = "127.0.0.23";
constexpr const char* kCtlIp = "127.0.0.24";

/// The simulator's options for an ephemeral port that is also its reply port.
std::vector<std::string> SimArgs(std::vector<std::string> words) {
  std::vector<std::string> args = {"--ip", kSimIp, "--duration", "30", "--quiet", "--reply-port", "0"};
  args.insert(args.end(), words.begin(), words.end());
  return args;
}

std::vector<std::string> Ctl(const CSimProcess& sim, std::vector<std::string> words) {
  const std::string port = std::to_string(sim.Port());
  std::vector<std::string> args = {"--device", kSimIp,         "--port", port,        "--local-ip",
                                   kCtlIp,     "--local-port", port,     "--timeout", "12"};
  args.insert(args.end(), words.begin(), words.end());
  return args;
}

TEST(CtlAgainstSim, StatusJsonShowsFirmwareAndAllTwentyNames) {
  CSimProcess sim(SimArgs({"--names", "Lectern,中文,Podium"}));
  ASSERT_NE(sim.Port(), 0);
  const CommandResult r = RunProgram("orvxctl", Ctl(sim, {"status", "--json"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("\"firmware\":\"32\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"online\":true"), std::string::npos);
  EXPECT_NE(r.out.find("\"inputs\":[\"Lectern\",\"中文\",\"Podium\",\"CH 4\","), std::string::npos) << r.out;
  for (const char* name : {"\"CH 12\"", "\"M 1\"", "\"M 4\"", "\"D 1\"", "\"D 4\""})
    EXPECT_NE(r.out.find(name), std::string::npos) << name;
  EXPECT_NE(r.out.find("\"diagnostics\":{\"clampedValues\":0,"), std::string::npos) << "a healthy link clamps nothing";
  // One document, its keys in the order scripts have always seen them.
  const auto doc = nlohmann::ordered_json::parse(r.out);
  std::vector<std::string> keys;
  for (const auto& item : doc.items()) keys.push_back(item.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"device", "online", "firmware", "names", "unitCount", "diagnostics"}));
  EXPECT_EQ(doc.at("names").at("outputs").size(), 8u);
  // Even a processor that answers at once: the attempt that reached it was said.
  EXPECT_NE(r.err.find("attempt 1 of 3"), std::string::npos) << r.err;
}

TEST(CtlAgainstSim, SetChangesTheProcessorSeenInItsNextFullState) {
  CSimProcess sim(SimArgs({}));
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
    CSimProcess old(SimArgs({"--version", "19"}));
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
  CSimProcess mute(SimArgs({"--ignore-z", "100"}));
  ASSERT_NE(mute.Port(), 0);
  const std::string port = std::to_string(mute.Port());
  const CommandResult none = RunProgram("orvxctl", {"--device", kSimIp, "--port", port, "--local-ip", kCtlIp,
                                                    "--local-port", port, "--timeout", "1.5", "status", "--json"});
  EXPECT_EQ(none.exitCode, 3);
  EXPECT_NE(none.out.find("\"error\":\"CANNOT CONNECT.\""), std::string::npos) << none.out;
}

TEST(CtlAgainstSim, DefaultPortsReachAProcessorThatAnswersOnlyOn39030) {
  // Both programs on the product's port, each on its own address; orvxctl is given no port at all.
  constexpr const char* kDeviceIp = "127.0.0.25";
  CSimProcess sim({"--ip", kDeviceIp, "--port", "39030", "--duration", "30", "--quiet"});
  ASSERT_EQ(sim.Port(), 39030);
  const CommandResult r =
      RunProgram("orvxctl", {"--device", kDeviceIp, "--local-ip", "127.0.0.26", "--timeout", "12", "status", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("\"online\":true"), std::string::npos) << r.out;
}

TEST(CtlAgainstSim, APortHeldByAnotherProgramIsNamedAndExitsOne) {
  constexpr const char* kHeldIp = "127.0.0.27";
  const int holder = ::socket(AF_INET, SOCK_DGRAM, 0);
  ASSERT_GE(holder, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(39030);
  ASSERT_EQ(inet_pton(AF_INET, kHeldIp, &addr.sin_addr), 1);
  ASSERT_EQ(::bind(holder, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  // Nothing is sent: the bind fails before the first frame.
  const CommandResult r =
      RunProgram("orvxctl", {"--device", "127.0.0.28", "--local-ip", kHeldIp, "--timeout", "3", "status"});
  ::close(holder);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Port 39030 on 127.0.0.27 is already in use by another program"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("--local-ip"), std::string::npos) << "the way out is named: " << r.err;
}

// Help on the program and on a command exits 0; an error is one line and where to find help, never
// the whole usage; an absent processor is not silence: every attempt is said on stderr, never in the
// JSON on stdout.
TEST(CtlAgainstSim, HelpErrorsAndAttemptsSpeakPlainly) {
  for (const std::vector<std::string>& words :
       std::vector<std::vector<std::string>>{{"--help"},
                                             {"-h"},
                                             {"set", "--help"},
                                             {"--device", kSimIp, "units", "-h"},
                                             {"--device", "--help"},
                                             {"group", "mute", "--help"}}) {
    const CommandResult help = RunProgram("orvxctl", words);
    EXPECT_EQ(help.exitCode, 0) << words.front();
    EXPECT_NE(help.out.find("usage: orvxctl"), std::string::npos) << help.out;
    EXPECT_TRUE(help.err.empty()) << help.err;
  }
  const CommandResult all = RunProgram("orvxctl", {"--help"});
  for (const char* listed : {"  status", "  set", "  monitor", "  search", "  unit", "--device IP", "--local-ip IP"})
    EXPECT_NE(all.out.find(listed), std::string::npos) << listed;
  EXPECT_EQ(RunProgram("orvxctl", {"set", "--help"}).out.find("  monitor"), std::string::npos) << "set's own lines";
  EXPECT_NE(RunProgram("orvxctl", {"group", "mute", "--help"}).out.find("--members"), std::string::npos);

  struct Bad {
    std::vector<std::string> words;
    std::vector<std::string> named;
  };
  for (const Bad& b : {Bad{{"--device", kSimIp, "frobnicate"}, {"frobnicate"}},
                       Bad{{"--device", kSimIp, "--port", "70000", "status"}, {"--port", "70000"}},
                       Bad{{"--device", kSimIp, "monitor", "--secs", "2"}, {"--secs"}}}) {
    const CommandResult bad = RunProgram("orvxctl", b.words);
    EXPECT_EQ(bad.exitCode, 2);
    for (const std::string& word : b.named) EXPECT_NE(bad.err.find(word), std::string::npos) << "the bad word is named";
    EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 2) << bad.err;
    EXPECT_NE(bad.err.find("--help"), std::string::npos);
    EXPECT_TRUE(bad.out.empty()) << bad.out;
  }

  CSimProcess mute(SimArgs({"--ignore-z", "100"}));
  ASSERT_NE(mute.Port(), 0);
  const std::string port = std::to_string(mute.Port());
  const CommandResult none = RunProgram("orvxctl", {"--device", kSimIp, "--port", port, "--local-ip", kCtlIp,
                                                    "--local-port", port, "--timeout", "7.5", "status", "--json"});
  EXPECT_EQ(none.exitCode, 3);
  const std::string attempt = "connecting to " + std::string(kSimIp) + ":" + port + " ... attempt ";
  EXPECT_NE(none.err.find(attempt + "1 of 3"), std::string::npos) << none.err;
  EXPECT_NE(none.err.find(attempt + "2 of 3"), std::string::npos) << "the retry after 5 s is said too: " << none.err;
  EXPECT_EQ(none.out, "{\"error\":\"CANNOT CONNECT.\",\"code\":3}\n") << "stdout holds the one document";
}

}  // namespace
}  // namespace orvx
