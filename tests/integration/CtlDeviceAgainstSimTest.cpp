// orvxctl's device commands against two orvx-sim processes on loopback addresses of their own
// (the real port 39030, as processors answer a search): search, units, unit set and unit call.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChildProcess.h"

namespace orvx {
namespace {

constexpr const char* kFirstSim = "127.0.0.163";
constexpr const char* kSecondSim = "127.0.0.164";
constexpr const char* kCtlIp = "127.0.0.165";
// The unit test runs beside the search test: its own addresses, outside the searched hosts.
constexpr const char* kUnitSim = "127.0.0.168";
constexpr const char* kUnitCtlIp = "127.0.0.169";

std::vector<std::string> SimAt(const char* ip) {
  return {"--ip", ip, "--port", "39030", "--duration", "30", "--quiet", "--units", "2"};
}

std::vector<std::string> Search(const char* hosts) {
  return {"search", "--subnet", "127.0.0", "--hosts", hosts, "--local-ip", kCtlIp, "--seconds", "0.3", "--json"};
}

std::vector<std::string> Ctl(std::vector<std::string> words) {
  std::vector<std::string> args = {"--device", kUnitSim, "--local-ip", kUnitCtlIp, "--timeout", "12"};
  args.insert(args.end(), words.begin(), words.end());
  return args;
}

TEST(CtlDeviceAgainstSim, SearchListsEachProcessorOnceAndExplainsAMiss) {
  CSimProcess first(SimAt(kFirstSim));
  CSimProcess second(SimAt(kSecondSim));
  ASSERT_EQ(first.Port(), 39030);
  ASSERT_EQ(second.Port(), 39030);

  // 162..165 holds nobody, both processors and this PC's own address (skipped).
  const CommandResult found = RunProgram("orvxctl", Search("162-165"));
  ASSERT_EQ(found.exitCode, 0) << found.err;
  EXPECT_EQ(found.out, "[{\"ip\":\"127.0.0.163\",\"port\":39030},{\"ip\":\"127.0.0.164\",\"port\":39030}]\n");

  const CommandResult missed = RunProgram("orvxctl", Search("170-172"));
  EXPECT_EQ(missed.exitCode, 3);
  EXPECT_EQ(missed.out.rfind("{\"error\":\"No processor answered the search.", 0), 0u) << missed.out;
  for (const char* fact : {"hosts 170 to 172", "3 hosts probed with 6 probes\n", "was free"})
    EXPECT_NE(missed.err.find(fact), std::string::npos) << fact << " in:\n" << missed.err;
}

TEST(CtlDeviceAgainstSim, UnitSlotsAreUniqueReadBackAndAUnitCanBeCalled) {
  CSimProcess sim(SimAt(kUnitSim));
  ASSERT_EQ(sim.Port(), 39030);
  const CommandResult set = RunProgram("orvxctl", Ctl({"unit", "set", "2", "slot", "1", "CH03"}));
  ASSERT_EQ(set.exitCode, 0) << set.err;
  const CommandResult clash = RunProgram("orvxctl", Ctl({"unit", "set", "1", "slot", "2", "CH03"}));
  EXPECT_EQ(clash.exitCode, 2);
  EXPECT_NE(clash.err.find("Already select."), std::string::npos) << clash.err;

  const CommandResult units = RunProgram("orvxctl", Ctl({"units", "--json"}));
  ASSERT_EQ(units.exitCode, 0) << units.err;
  EXPECT_NE(units.out.find("\"unitCount\":2"), std::string::npos) << units.out;
  EXPECT_NE(units.out.find("{\"unit\":1,\"slots\":[\"NULL\",\"NULL\",\"NULL\",\"NULL\",\"NULL\"]}"), std::string::npos)
      << units.out;
  EXPECT_NE(units.out.find("{\"unit\":2,\"slots\":[\"CH03\",\"NULL\",\"NULL\",\"NULL\",\"NULL\"]}"), std::string::npos)
      << units.out;

  const CommandResult call = RunProgram("orvxctl", Ctl({"unit", "call", "2", "--json"}));
  ASSERT_EQ(call.exitCode, 0) << call.err;
  EXPECT_EQ(call.out, "{\"called\":2}\n");
}

}  // namespace
}  // namespace orvx
