// orvxctl group mute against orvx-sim: the editor's mute-group rule, confirmed by read-back, and
// seen by a fresh run.
#include "ChildProcess.h"

#include <gtest/gtest.h>

namespace orvx {
namespace {

constexpr const char* kSimIp = "127.0.0.122";
constexpr const char* kCtlIp = "127.0.0.123";

std::vector<std::string> Ctl(const CSimProcess& sim, std::vector<std::string> words) {
  const std::string port = std::to_string(sim.Port());
  std::vector<std::string> args = {"--device", kSimIp,         "--port", port,        "--local-ip",
                                   kCtlIp,     "--local-port", port,     "--timeout", "12"};
  args.insert(args.end(), words.begin(), words.end());
  return args;
}

TEST(GroupMuteAgainstSim, MutesAndOpensEveryMemberAndOnlyThem) {
  CSimProcess sim({"--ip", kSimIp, "--duration", "30", "--quiet", "--reply-port", "0"});
  ASSERT_NE(sim.Port(), 0);
  for (const char* word : {"on", "off"}) {
    SCOPED_TRACE(word);
    const CommandResult r =
        RunProgram("orvxctl", Ctl(sim, {"group", "mute", "2", word, "--members", "in2-4,in14,out8", "--json"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, std::string("{\"group\":2,\"mute\":\"") + word + "\",\"members\":5}\n");
    const std::string muted = word == std::string("on") ? "1\n" : "0\n";
    for (std::vector<std::string> get : {std::vector<std::string>{"get", "in.mute", "2", "--raw"},
                                         {"get", "in.mute", "4", "--raw"},
                                         {"get", "out.mute", "8", "--raw"}}) {
      const CommandResult g = RunProgram("orvxctl", Ctl(sim, get));
      ASSERT_EQ(g.exitCode, 0) << g.err;
      EXPECT_EQ(g.out, muted) << get[1] << " " << get[2];
    }
    const CommandResult other = RunProgram("orvxctl", Ctl(sim, {"get", "in.mute", "5", "--raw"}));
    EXPECT_EQ(other.out, "0\n") << "a non-member stays open";
  }
  const CommandResult bad = RunProgram("orvxctl", Ctl(sim, {"group", "mute", "2", "on"}));
  EXPECT_EQ(bad.exitCode, 2) << "membership lives with the editor: it must be given";
}

}  // namespace
}  // namespace orvx
