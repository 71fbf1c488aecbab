// The editor's local update against the simulator over real UDP: the link stops in the update's
// order, both images travel on the update's own socket, failures end cleanly with the system's
// message, and the link connects again afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "SimSessionFixture.h"
#include "common/TinyHttpServer.h"
#include "common/UpdateTestDoubles.h"
#include "core/StateImage.h"
#include "device/SceneStore.h"
#include "device/UpdateTexts.h"
#include "session/UpdateController.h"

namespace orvx {
namespace {

std::vector<std::uint8_t> Pattern(std::size_t n, int seed) {
  std::vector<std::uint8_t> bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>((i * 17 + static_cast<std::size_t>(seed)) % 256);
  return bytes;
}

class UpdateAgainstSim : public SimSessionFixture {
protected:
  void TearDown() override {
    update.reset();
    SimSessionFixture::TearDown();
    std::filesystem::remove_all(dir);
  }

  /// Simulator and editor on addresses of their own; the editor connected; the images in place.
  void Begin(const char* sim, const char* editor, FirmwareFaults faults = {}) {
    simIp = sim;
    editorIp = editor;
    SimServerSettings settings;
    settings.device.firmwareFaults = faults;
    StartSim(settings);
    StartSession();
    dir = std::filesystem::path(::testing::TempDir()) / ("orvx-update-" + simIp);
    std::filesystem::create_directories(dir);
    for (const auto& [name, bytes] : {std::pair{"Digital-ORVX64Q-3.bin", digital}, {"DSP-ORVX64Q-3.bin", dsp}})
      std::ofstream(dir / name, std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(ConnectAfterQueries(1));
    update = std::make_unique<CUpdateController>(*m_session, UpdateSettings{dir.string(), {}}, nullptr, &pacer);
  }

  /// LOCAL (confirmed) or UPDATE; runs until the update has ended. Returns the messages it showed.
  std::vector<std::string> RunLocal(UpdateKind kind = UpdateKind::Local) {
    std::vector<std::string> shown;
    bool finished = false;
    EXPECT_TRUE(update->Start(kind, simIp));
    EXPECT_TRUE(Drive(
        [&] {
          update->Tick();
          for (const UpdateEvent& e : update->TakeEvents()) {
            if (e.kind == UpdateEvent::Kind::Message) shown.push_back(e.text.en);
            if (e.kind == UpdateEvent::Kind::Question) update->Answer(false);
            finished = finished || e.kind == UpdateEvent::Kind::Finished;
          }
          return finished;
        },
        CConnectionSupervisor::kTickMs, 10));
    EXPECT_FALSE(update->Running());
    return shown;
  }

  /// CONNECT again after the update: the link is usable.
  void ExpectConnectsAgain() {
    EXPECT_FALSE(Editor().link.online) << "the link stays closed after an update";
    EXPECT_TRUE(ConnectAfterQueries(SimFrames("%Z,") + 1));
    EXPECT_TRUE(Editor().link.online);
  }

  const std::vector<std::uint8_t> digital = Pattern(3000, 1);
  const std::vector<std::uint8_t> dsp = Pattern(2048, 2);
  std::filesystem::path dir;
  test::ScaledPacer pacer;
  std::unique_ptr<CUpdateController> update;
};

TEST_F(UpdateAgainstSim, BothImagesArriveWholeAndTheLinkConnectsAgain) {
  Begin("127.0.0.201", "127.0.0.202");
  const int stopsBefore = SimFrames("%Q,01,00,");
  EXPECT_EQ(RunLocal(), std::vector<std::string>{"Update successfully"});
  // Online: three pairs, then two for the receive thread, then one on the update's own socket.
  EXPECT_EQ(SimFrames("%Q,01,00,") - stopsBefore, 6 + 2 + 1);
  const std::vector<ReceivedImage> images = sim->ReceivedImages();
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].target, 1);
  EXPECT_EQ(images[0].bytes, digital);
  EXPECT_EQ(images[1].target, 0);
  EXPECT_EQ(images[1].bytes, dsp);
  const UpdateView view = update->View();
  ASSERT_TRUE(view.versions && view.progress);
  EXPECT_EQ(view.versions->basic, "300");
  EXPECT_EQ(view.progress->blocksDone, 3) << "2,048 bytes and the checksum: three blocks";
  ExpectConnectsAgain();
}

TEST_F(UpdateAgainstSim, TheBackupSceneHoldsTheSettingsBeforeTheUpdate) {
  Begin("127.0.0.222", "127.0.0.223");
  CPresetDatabase library;
  ASSERT_EQ(library.Open(dir.string()), "");
  CSceneStore store(library, dir);
  update->SetBackup(BackupInto(store, Editor()));
  Editor().in[2].level = 17;  // an operator's change the processor was not told of: still the editor's setting
  const std::vector<std::uint8_t> before = image::EncodeScene(Editor());
  EXPECT_EQ(RunLocal(), std::vector<std::string>{"Update successfully"});
  const UpdateView view = update->View();
  ASSERT_TRUE(view.backup);
  EXPECT_EQ(view.backup->status, BackupStatus::Saved);
  EXPECT_EQ(view.backup->id, 1);
  EXPECT_EQ(view.backup->name.rfind("BACKUP ", 0), 0u) << view.backup->name;
  const SceneImage kept = store.Read(1);
  ASSERT_TRUE(kept.Ok()) << kept.error;
  EXPECT_EQ(kept.bytes, before);
  EXPECT_EQ(sim->ReceivedImages().size(), 2u);
}

TEST_F(UpdateAgainstSim, WithoutImagesTheUpdateFailsAndKeepsNoScene) {
  Begin("127.0.0.233", "127.0.0.234");
  for (const char* name : {"Digital-ORVX64Q-3.bin", "DSP-ORVX64Q-3.bin"}) std::filesystem::remove(dir / name);
  std::ofstream(dir / "Digital-ORVX64Q.bin") << "half a pair";
  CPresetDatabase library;
  ASSERT_EQ(library.Open(dir.string()), "");
  CSceneStore store(library, dir);
  update->SetBackup(BackupInto(store, Editor()));
  EXPECT_EQ(RunLocal(), std::vector<std::string>{"update fail"});
  EXPECT_FALSE(update->View().backup);
  const auto scenes = store.List();
  ASSERT_TRUE(scenes.Ok()) << scenes.error;
  EXPECT_TRUE(scenes.value.empty()) << "a scene was used up for an update that had nothing to send";
  EXPECT_EQ(SimFrames("%S,"), 0);
}

TEST_F(UpdateAgainstSim, WithoutAFreeSceneTheUpdateAsksAndCancelSendsNothing) {
  Begin("127.0.0.224", "127.0.0.225");
  CPresetDatabase library;
  ASSERT_EQ(library.Open(dir.string()), "");
  CSceneStore store(library, dir);
  for (int i = 0; i < 32; ++i) ASSERT_TRUE(store.Save(Editor()).Ok());
  update->SetBackup(BackupInto(store, Editor()));
  std::vector<std::string> asked;
  EXPECT_TRUE(update->Start(UpdateKind::Local, simIp));
  bool finished = false;
  EXPECT_TRUE(Drive(
      [&] {
        update->Tick();
        for (const UpdateEvent& e : update->TakeEvents()) {
          if (e.kind == UpdateEvent::Kind::Question) {
            asked.push_back(e.text.en);
            update->Answer(false);
          }
          finished = finished || e.kind == UpdateEvent::Kind::Finished;
        }
        return finished;
      },
      CConnectionSupervisor::kTickMs, 10));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], captions::kNoBackupQuestion.en);
  EXPECT_TRUE(update->LastOutcome().declined);
  EXPECT_EQ(SimFrames("%S,"), 0);
  EXPECT_TRUE(Editor().link.online) << "a declined update leaves the connection alone";
}

TEST_F(UpdateAgainstSim, ALostBlockAnswerFailsCleanly) {
  FirmwareFaults faults;
  faults.dropBlockReply = 1;  // of the three the Digital image takes
  Begin("127.0.0.203", "127.0.0.204", faults);
  EXPECT_EQ(RunLocal(), std::vector<std::string>{"update fail"});
  EXPECT_TRUE(sim->ReceivedImages().empty());
  EXPECT_EQ(SimFrames("%T,"), 2) << "blocks 0 and 1, none again, none after";
  ExpectConnectsAgain();
}

TEST_F(UpdateAgainstSim, ABadChecksumReportFailsCleanly) {
  FirmwareFaults faults;
  faults.badCrc = true;
  Begin("127.0.0.205", "127.0.0.206", faults);
  const std::vector<std::string> shown = RunLocal();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].rfind("%U,01,03,", 0), 0u) << shown[0];
  EXPECT_EQ(shown[1], "update fail");
  EXPECT_EQ(SimFrames("%S,"), 1) << "the DSP image is not started";
  ExpectConnectsAgain();
}

TEST_F(UpdateAgainstSim, RemoteUpdateStopsTheLinkOnceAndSendsTheDownloads) {
  for (const char* v : {"http_proxy", "HTTP_PROXY", "ALL_PROXY", "all_proxy"}) unsetenv(v);
  Begin("127.0.0.220", "127.0.0.221");
  test::TinyHttpServer http;
  http.Set("/one.bin", {200, std::string(dsp.begin(), dsp.end()), 0});
  http.Set("/two.bin", {200, std::string(digital.begin(), digital.end()), 0});
  http.Set("/version", {200, "##$$" + http.Url("/one.bin") + "%%%%" + http.Url("/two.bin") + "%%%%40$$##", 0});
  update->SetSettings({dir.string(), http.Url("/version")});
  const int stopsBefore = SimFrames("%Q,01,00,");
  EXPECT_EQ(RunLocal(UpdateKind::Remote), std::vector<std::string>{"Update successfully."});
  EXPECT_EQ(SimFrames("%Q,01,00,") - stopsBefore, 1 + 1) << "once on the link, once on the update's socket";
  EXPECT_EQ(SimFrames("%r,"), 0);
  const std::vector<ReceivedImage> images = sim->ReceivedImages();
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].bytes, digital);
  EXPECT_EQ(images[1].bytes, dsp);
  EXPECT_EQ(update->View().versions->offered, "40");
  ExpectConnectsAgain();
}

}  // namespace
}  // namespace orvx
