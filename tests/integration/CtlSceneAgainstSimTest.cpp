// orvxctl's scene commands, the built program against the built simulator on loopback addresses of
// their own, on a data directory and a desktop trash of the test's own.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <iterator>

#include "ChildProcess.h"
#include "common/PresetTestSupport.h"
#include "common/SceneTestSupport.h"

namespace orvx {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

constexpr const char* kSimIp = "127.0.0.180";
constexpr const char* kCtlIp = "127.0.0.181";

class CtlSceneAgainstSim : public ::testing::Test {
protected:
  fs::path Data() const { return m_dir.Path() / "data"; }
  /// orvxctl on the data directory, talking to `sim` when given.
  CommandResult Ctl(std::vector<std::string> words, const CSimProcess* sim = nullptr) {
    std::vector<std::string> args = {"--data-dir", Data().string()};
    if (sim) {
      const std::string port = std::to_string(sim->Port());
      args.insert(args.end(),
                  {"--device", kSimIp, "--port", port, "--local-ip", kCtlIp, "--local-port", port, "--timeout", "12"});
    }
    args.insert(args.end(), words.begin(), words.end());
    return RunProgram("orvxctl", args);
  }
  static std::string Bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  presettest::CTempDir m_dir;
  scenetest::CScopedDataHome m_dataHome{m_dir.Path() / "xdg"};  // orvxctl inherits it
};

TEST_F(CtlSceneAgainstSim, SaveExportEditImportDiffRecallRenameAndDelete) {
  CSimProcess sim({"--ip", kSimIp, "--duration", "60", "--quiet", "--reply-port", "0", "--names", "讲台,Chair"});
  ASSERT_NE(sim.Port(), 0);

  CommandResult r = Ctl({"scene", "save", "Morning", "--json"}, &sim);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Json::parse(r.out)["id"], 1);
  EXPECT_EQ(Bytes(Data() / "SAVE1.dat").size(), 20'568u);

  // Export, change input 3's level in the document, import it as a new scene.
  const fs::path json = m_dir.Path() / "morning.json";
  r = Ctl({"scene", "export", "1", json.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  Json doc = Json::parse(Bytes(json));
  EXPECT_EQ(doc["id"], 1);
  EXPECT_EQ(doc["name"], "Morning");
  for (Json& e : doc["values"]) {
    if (e["param"] == "in.level" && e["record"] == 3) {
      e.erase("raw");
      e["value"] = "-20dB";
    }
  }
  std::ofstream(m_dir.Path() / "edited.json") << doc.dump(1);
  r = Ctl({"scene", "import", (m_dir.Path() / "edited.json").string(), "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Json::parse(r.out)["id"], 2);

  // The file exported and imported again is the same file.
  r = Ctl({"scene", "import", json.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Bytes(Data() / "SAVE3.dat"), Bytes(Data() / "SAVE1.dat"));

  r = Ctl({"scene", "diff", "1", "2"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(
      r.out,
      "scene 1 \"Morning\" -> scene 2 \"Morning\": 1 value differs.\nCHANNEL\n  IN 3\n    VOLUME: 10dB -> -20dB\n")
      << "the simulator starts every fader at its top, +10 dB";
  r = Ctl({"scene", "diff", (Data() / "SAVE1.dat").string(), (m_dir.Path() / "edited.json").string(), "--json",
           "--language", "zh"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Json diff = Json::parse(r.out);
  EXPECT_EQ(diff["count"], 1);
  EXPECT_EQ(diff["differences"][0]["page"], "通道");
  EXPECT_EQ(diff["differences"][0]["param"], "in.level");
  EXPECT_EQ(diff["differences"][0]["toRaw"], 40);

  // Recall only the change, then the processor and the scene agree.
  r = Ctl({"scene", "recall", "2", "--changes-only", "--json"}, &sim);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Json::parse(r.out)["changes"], 1);
  EXPECT_EQ(Json::parse(r.out)["datagrams"], 1);
  r = Ctl({"scene", "diff", "device", "2"}, &sim);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "device 127.0.0.180 -> scene 2 \"Morning\": No differences: both hold the same values.\n");

  EXPECT_NE(Ctl({"scene", "rename", "2", "晨会全体成员"}).exitCode, 0) << "a name of more than 8 bytes";
  ASSERT_EQ(Ctl({"scene", "rename", "2", "晨会"}).exitCode, 0);
  r = Ctl({"scene", "delete", "1"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(fs::exists(m_dir.Path() / "xdg/Trash/files/SAVE1.dat"));
  EXPECT_TRUE(fs::exists(m_dir.Path() / "xdg/Trash/info/SAVE1.dat.trashinfo"));
  r = Ctl({"scene", "list", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Json list = Json::parse(r.out);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0]["id"], 2);
  EXPECT_EQ(list[0]["name"], "晨会");
}

TEST_F(CtlSceneAgainstSim, ARefusedDocumentOrFileChangesNothingAndSaysWhy) {
  fs::create_directories(Data());
  std::ofstream(m_dir.Path() / "bad.json")
      << R"({"format": "orvx-scene", "version": 1, "values": [{"param": "in.levle", "record": 1, "raw": 3}]})";
  CommandResult r = Ctl({"scene", "import", (m_dir.Path() / "bad.json").string()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("unknown parameter \"in.levle\""), std::string::npos) << r.err;
  std::ofstream(m_dir.Path() / "short.dat") << "too short";
  r = Ctl({"scene", "diff", (m_dir.Path() / "short.dat").string(), "1"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("holds 9 bytes"), std::string::npos) << r.err;
  r = Ctl({"scene", "list", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "[]\n");
  EXPECT_EQ(r.err, "orvxctl: no scenes in " + Data().string() + "\n") << "an empty list says where it looked";
  EXPECT_EQ(Ctl({"scene", "recall", "1"}).exitCode, 2) << "recall needs --device";
}

}  // namespace
}  // namespace orvx
