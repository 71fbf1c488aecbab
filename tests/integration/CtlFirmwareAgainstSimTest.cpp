// orvxctl's firmware commands against orvx-sim on loopback addresses of their own, port 39030 at
// both ends as the editor's update talks.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ChildProcess.h"

namespace orvx {
namespace {

constexpr const char* kSim = "127.0.0.207";
constexpr const char* kCtl = "127.0.0.208";
constexpr const char* kFaultSim = "127.0.0.209";
constexpr const char* kFaultCtl = "127.0.0.215";

std::vector<std::string> SimAt(const char* ip, std::vector<std::string> more = {}) {
  std::vector<std::string> args = {"--ip", ip, "--port", "39030", "--duration", "90", "--quiet"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

/// The scene store of this test's runs (the backup before an update), never the user's own.
std::string DataDir() {
  return ::testing::TempDir() + "/orvx-ctl-firmware-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

std::vector<std::string> Ctl(const char* sim, const char* local, std::vector<std::string> words) {
  std::vector<std::string> args = {"--device", sim, "--local-ip", local, "--timeout", "12", "--json",
                                   "--data-dir", DataDir()};
  args.insert(args.end(), words.begin(), words.end());
  return args;
}

std::string WriteImage(const std::string& name, std::size_t n) {
  const std::string path = ::testing::TempDir() + "/" + name;
  std::ofstream out(path, std::ios::binary);
  for (std::size_t i = 0; i < n; ++i) out.put(static_cast<char>(i * 7 % 256));
  return path;
}

TEST(CtlFirmwareAgainstSim, VersionsThenAnUpdateOfTwoGivenImages) {
  CSimProcess sim(SimAt(kSim, {"--basic-version", "299"}));
  ASSERT_EQ(sim.Port(), 39030);
  const CommandResult versions = RunProgram("orvxctl", Ctl(kSim, kCtl, {"firmware", "versions"}));
  ASSERT_EQ(versions.exitCode, 0) << versions.err;
  const auto v = nlohmann::json::parse(versions.out);
  EXPECT_EQ(v["hardwareVersion"], "32");
  EXPECT_EQ(v["basicVersion"], "299");
  EXPECT_EQ(v["images"][0], "Digital-ORVX64Q.bin") << "below 300: the plain images";

  const std::string digital = WriteImage("ctl-digital.bin", 2100);
  const std::string dsp = WriteImage("ctl-dsp.bin", 1023);
  std::filesystem::remove_all(DataDir());
  const CommandResult saved = RunProgram("orvxctl", Ctl(kSim, kCtl, {"scene", "save", "Before"}));
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  const CommandResult update =
      RunProgram("orvxctl", Ctl(kSim, kCtl, {"firmware", "update", "--digital", digital, "--dsp", dsp}));
  ASSERT_EQ(update.exitCode, 0) << update.err;
  const auto u = nlohmann::json::parse(update.out);
  EXPECT_EQ(u["success"], true);
  EXPECT_EQ(u["message"], "Update successfully");
  EXPECT_EQ(u["images"][0]["target"], 1);
  EXPECT_EQ(u["images"][0]["blocks"], 3);
  EXPECT_EQ(u["images"][1]["target"], 0);
  EXPECT_EQ(u["images"][1]["blocks"], 2) << "1,023 bytes and the checksum: one more than announced";
  EXPECT_NE(update.err.find("ctl-digital.bin (Digital): block 3 of 3"), std::string::npos) << update.err;
  // The backup scene holds what the processor held before, as a scene saved by hand does.
  ASSERT_TRUE(u["backupScene"].is_object()) << update.out;
  EXPECT_EQ(u["backupScene"]["id"], 2);
  const auto fileOf = [](int id) {
    std::ifstream in(DataDir() + "/SAVE" + std::to_string(id) + ".dat", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  EXPECT_EQ(fileOf(2).size(), 20568u);
  EXPECT_EQ(fileOf(2), fileOf(1));

  const CommandResult missing =
      RunProgram("orvxctl", Ctl(kSim, kCtl, {"firmware", "update", "--digital", digital + ".gone", "--dsp", dsp}));
  EXPECT_EQ(missing.exitCode, 2);
}

TEST(CtlFirmwareAgainstSim, ALostAnswerIsAFailedUpdate) {
  CSimProcess sim(SimAt(kFaultSim, {"--fault", "drop-block=0"}));
  ASSERT_EQ(sim.Port(), 39030);
  const std::string image = WriteImage("ctl-fault.bin", 500);
  const CommandResult update =
      RunProgram("orvxctl", Ctl(kFaultSim, kFaultCtl, {"firmware", "update", "--digital", image, "--dsp", image}));
  EXPECT_EQ(update.exitCode, 1);
  EXPECT_EQ(nlohmann::json::parse(update.out)["error"], "update fail");
  // The link is usable again afterwards.
  const CommandResult status = RunProgram("orvxctl", Ctl(kFaultSim, kFaultCtl, {"status"}));
  EXPECT_EQ(status.exitCode, 0) << status.err;
}

}  // namespace
}  // namespace orvx
