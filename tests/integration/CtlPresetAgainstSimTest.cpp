// orvxctl's preset and curve commands against orvx-sim, the built programs on loopback addresses of
// their own, with a preset library in a directory of the test's own.

#include "ChildProcess.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>

#include "core/DeviceState.h"
#include "dsp/EqResponse.h"

namespace orvx {
namespace {

constexpr const char* kSimIp = "127.0.0.216";
constexpr const char* kCtlIp = "127.0.0.217";

class CtlPresetAgainstSim : public ::testing::Test {
protected:
  void SetUp() override {
    std::string dir = (std::filesystem::path(::testing::TempDir()) / "orvx-ctl-presets-XXXXXX").string();
    ASSERT_NE(::mkdtemp(dir.data()), nullptr);
    m_dataDir = dir;
    ASSERT_NE(m_sim.Port(), 0);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(m_dataDir, ignored);
  }

  /// orvxctl against the simulator, with the test's library.
  CommandResult Ctl(std::vector<std::string> words) {
    const std::string port = std::to_string(m_sim.Port());
    std::vector<std::string> args = {"--device", kSimIp,   "--port",    port, "--local-ip",  kCtlIp,
                                     "--local-port", port, "--timeout", "12", "--data-dir", m_dataDir};
    args.insert(args.end(), words.begin(), words.end());
    return RunProgram("orvxctl", args);
  }
  /// orvxctl on the library alone: no processor named.
  CommandResult Library(std::vector<std::string> words) {
    words.insert(words.end(), {"--data-dir", m_dataDir});
    return RunProgram("orvxctl", words);
  }
  std::string Get(const std::vector<std::string>& words) {
    std::vector<std::string> get{"get"};
    get.insert(get.end(), words.begin(), words.end());
    const CommandResult r = Ctl(get);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.out;
  }

  CSimProcess m_sim{{"--ip", kSimIp, "--duration", "60", "--quiet", "--reply-port", "0"}};
  std::string m_dataDir;
};

TEST_F(CtlPresetAgainstSim, APresetSavedFromOneInputIsRecalledIntoAnotherAndTheLibraryIsEdited) {
  for (std::vector<std::string> set : {std::vector<std::string>{"set", "in.peq.gain", "3", "2", "6dB"},
                                       {"set", "in.peq.freq", "3", "2", "800"},
                                       {"set", "in.hpf.freq", "3", "120"}}) {
    const CommandResult r = Ctl(set);
    ASSERT_EQ(r.exitCode, 0) << r.err;
  }
  const CommandResult saved = Ctl({"preset", "save", "peq", "VOCAL", "--from", "3", "--json"});
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  EXPECT_EQ(saved.out, "{\"kind\":\"peq\",\"id\":1,\"name\":\"VOCAL\",\"record\":3}\n");
  EXPECT_EQ(Library({"preset", "list", "peq"}).out, "1:VOCAL\n");

  const CommandResult recalled = Ctl({"preset", "recall", "peq", "1", "--to", "5"});
  ASSERT_EQ(recalled.exitCode, 0) << recalled.err;
  EXPECT_EQ(recalled.out, "recalled 1:VOCAL into input 5\n");
  EXPECT_EQ(Get({"in.peq.gain", "5", "2"}), "6.0dB\n");
  EXPECT_EQ(Get({"in.peq.freq", "5", "2"}), "800Hz\n");
  EXPECT_EQ(Get({"in.hpf.freq", "5"}), "120Hz\n");

  // The curve of input 5 is the one the editor draws for these values, read from the processor.
  const CommandResult curve = Ctl({"eq-curve", "5", "--json"});
  ASSERT_EQ(curve.exitCode, 0) << curve.err;
  CDeviceState drawn;
  drawn.ResetToDefaults();
  drawn.in[4].peq[1].gain = 210;
  drawn.in[4].peq[1].freq = 800;
  drawn.in[4].hpfFreq = 120;
  const eq::Response expected = eq::ChannelResponse(drawn.in[4], 4);
  const auto doc = nlohmann::json::parse(curve.out);
  EXPECT_EQ(doc.at("record"), 5);
  ASSERT_EQ(doc.at("points").size(), static_cast<std::size_t>(eq::kGridPoints));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(doc.at("points")[i].at("hz").get<double>(), eq::Grid()[i]);
    EXPECT_NEAR(doc.at("points")[i].at("db").get<double>(), expected[i], 1e-12) << eq::Grid()[i] << " Hz";
  }
  EXPECT_NEAR(expected[static_cast<std::size_t>(eq::NearestGridIndex(800))], 6.0, 1e-6);

  const CommandResult renamed = Library({"preset", "rename", "peq", "1", "LEAD", "--json"});
  EXPECT_EQ(renamed.out, "{\"kind\":\"peq\",\"id\":1,\"name\":\"LEAD\"}\n");
  EXPECT_EQ(Library({"preset", "delete", "peq", "1"}).out, "deleted 1:LEAD\n");
  EXPECT_EQ(Library({"preset", "list", "peq", "--json"}).out, "{\"kind\":\"peq\",\"presets\":[]}\n");
  const CommandResult gone = Ctl({"preset", "recall", "peq", "1", "--to", "5"});
  EXPECT_EQ(gone.exitCode, 2);
  EXPECT_NE(gone.err.find("no peq preset has the ID 1"), std::string::npos) << gone.err;
}

TEST_F(CtlPresetAgainstSim, KindsTheProcessorNeitherReportsNorTakesAreRefusedBeforeAnyFrame) {
  const CommandResult save = Ctl({"preset", "save", "gate", "QUIET", "--from", "1"});
  EXPECT_EQ(save.exitCode, 5);
  EXPECT_NE(save.err.find("reports none of the gate values of input 1"), std::string::npos) << save.err;
  const CommandResult none = Library({"preset", "list", "gate"});
  EXPECT_EQ(none.out, "") << "nothing saved";
  EXPECT_EQ(none.err, "orvxctl: no gate presets in " + m_dataDir + "\n") << "an empty list says where it looked";
  const CommandResult recall = Ctl({"preset", "recall", "delay", "1"});
  EXPECT_EQ(recall.exitCode, 5);
  EXPECT_NE(recall.err.find("no command carries them"), std::string::npos) << recall.err;
  for (const CommandResult& r : {save, recall})
    EXPECT_EQ(r.err.find("attempt 1 of 3"), std::string::npos) << "refused before connecting: " << r.err;
}

}  // namespace
}  // namespace orvx
