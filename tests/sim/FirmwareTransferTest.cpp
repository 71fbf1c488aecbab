// The whole firmware update, local and remote, against the simulated processor on a fake clock.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "common/SimUpdateSocket.h"
#include "common/UpdateTestDoubles.h"
#include "device/FirmwareUpdate.h"
#include "device/UpdateTexts.h"
#include "link/Commands.h"

namespace orvx {
namespace {

using test::ClockPacer;
using test::RecordingHost;
using test::SimUpdateSocket;

std::vector<std::uint8_t> Pattern(std::size_t n, int seed) {
  std::vector<std::uint8_t> bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>((i * 13 + static_cast<std::size_t>(seed)) % 256);
  return bytes;
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

/// Serves files from a map of addresses; anything else fails like a missing page.
class MapHttpClient final : public IHttpClient {
public:
  std::optional<std::string> FetchPageText(const std::string& url) override {
    const auto it = pages.find(url);
    if (it == pages.end()) return std::nullopt;
    return it->second;
  }
  bool DownloadToFile(const std::string& url, const std::string& path) override {
    downloads.push_back(url);
    const auto it = files.find(url);
    if (it == files.end()) return false;
    WriteFile(path, it->second);
    return true;
  }
  std::map<std::string, std::string> pages;
  std::map<std::string, std::vector<std::uint8_t>> files;
  std::vector<std::string> downloads;
};

class FirmwareTransfer : public ::testing::Test {
protected:
  void SetUp() override {
    dir = std::filesystem::path(::testing::TempDir()) /
          ("orvx-fw-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  /// Runs one update against a processor made from `settings`.
  UpdateOutcome Run(UpdateJob job, SimDeviceSettings settings = {}, std::set<char> unanswered = {}) {
    device = std::make_unique<CSimDevice>(settings);
    socket = std::make_unique<SimUpdateSocket>(*device, clock);
    socket->unanswered = std::move(unanswered);
    if (job.directory.empty()) job.directory = dir.string();
    CFirmwareUpdate update(std::move(job), *socket, host, pacer, clock, &http);
    return update.Run();
  }
  std::string Path(const std::string& name) const { return (dir / name).string(); }

  std::filesystem::path dir;
  FakeClock clock;
  ClockPacer pacer{clock};
  RecordingHost host;
  MapHttpClient http;
  std::unique_ptr<CSimDevice> device;
  std::unique_ptr<SimUpdateSocket> socket;
};

TEST_F(FirmwareTransfer, LocalUpdateSendsTheThirdImagesDigitalFirstAndTheProcessorChecksThem) {
  const auto digital = Pattern(2048, 1);
  const auto dsp = Pattern(2049, 2);
  WriteFile(Path("Digital-ORVX64Q-3.bin"), digital);
  WriteFile(Path("DSP-ORVX64Q-3.bin"), dsp);
  WriteFile(Path("Digital-ORVX64Q.bin"), Pattern(10, 3));  // the plain pair lies beside them

  const UpdateOutcome outcome = Run({});  // the simulator reports basic version 300
  EXPECT_TRUE(outcome.success);
  EXPECT_EQ(host.messages, std::vector<std::string>{"Update successfully"});
  EXPECT_TRUE(host.questions.empty());
  EXPECT_EQ(host.versions.hardware, "32");
  EXPECT_EQ(host.versions.basic, "300");

  const auto& images = device->Firmware().Images();
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].target, 1);
  EXPECT_EQ(images[0].bytes, digital);
  EXPECT_EQ(images[1].target, 0);
  EXPECT_EQ(images[1].bytes, dsp);
  EXPECT_TRUE(images[0].crcOk && images[1].crcOk);

  // 2,048 bytes: announced as 2 blocks, sent as 3; the reports were stopped before the queries.
  EXPECT_EQ(socket->frames.front(), FrameQ(false));
  EXPECT_EQ(socket->Count('T'), 3 + 3);
  ASSERT_FALSE(host.progress.empty());
  const UpdateProgress first = host.progress[3];
  EXPECT_EQ(first.imageName, "Digital-ORVX64Q-3.bin");
  EXPECT_EQ(first.blocksDone, 3);
  EXPECT_EQ(first.blocksAnnounced, 2);
  EXPECT_EQ(host.progress.back().blocksDone, 3);
  EXPECT_EQ(host.progress.back().target, UpdateTarget::Dsp);
  EXPECT_EQ(std::count(pacer.pauses.begin(), pacer.pauses.end(), CFirmwareUpdate::kBetweenImagesMs), 1);
}

TEST_F(FirmwareTransfer, AnUnknownBasicVersionAsksBeforeThePlainImagesGo) {
  WriteFile(Path("Digital-ORVX64Q.bin"), Pattern(100, 1));
  WriteFile(Path("DSP-ORVX64Q.bin"), Pattern(100, 2));

  // Cancel: nothing is sent.
  UpdateOutcome outcome = Run({}, {}, {'r'});
  EXPECT_TRUE(outcome.declined);
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_NE(host.questions[0].find("Digital-ORVX64Q.bin and DSP-ORVX64Q.bin"), std::string::npos);
  EXPECT_EQ(socket->Count('r'), 3) << "three tries";
  EXPECT_EQ(socket->Count('S'), 0);
  EXPECT_EQ(host.versions.basic, "000");

  // OK: the plain pair goes.
  host.answers = {true};
  outcome = Run({}, {}, {'r'});
  EXPECT_TRUE(outcome.success);
  EXPECT_EQ(device->Firmware().Images().size(), 2u);
  EXPECT_EQ(host.progress.front().imageName, "Digital-ORVX64Q.bin");
}

TEST_F(FirmwareTransfer, AVersionErrorIsSaidAndTheOperatorMayStop) {
  const UpdateOutcome outcome = Run({}, {}, {'Z'});
  EXPECT_TRUE(outcome.declined);
  EXPECT_EQ(host.messages, std::vector<std::string>{"Get version error."});
  EXPECT_EQ(host.questions, std::vector<std::string>{captions::kContinueQuestion.en});
  EXPECT_EQ(socket->Count('S'), 0);
}

TEST_F(FirmwareTransfer, AMissingBlockAnswerEndsTheUpdateWithoutSendingAgain) {
  WriteFile(Path("Digital-ORVX64Q-3.bin"), Pattern(4000, 1));
  WriteFile(Path("DSP-ORVX64Q-3.bin"), Pattern(4000, 2));
  SimDeviceSettings settings;
  settings.firmwareFaults.dropBlockReply = 1;
  const UpdateOutcome outcome = Run({}, settings);
  EXPECT_FALSE(outcome.success);
  EXPECT_EQ(host.messages, std::vector<std::string>{"update fail"});
  EXPECT_EQ(socket->Count('T'), 2) << "blocks 0 and 1, nothing after, nothing again";
  EXPECT_EQ(socket->Count('S'), 1) << "the second image is not started";
  EXPECT_TRUE(device->Firmware().Images().empty());
}

TEST_F(FirmwareTransfer, ABadChecksumReportIsShownThenTheFailure) {
  WriteFile(Path("Digital-ORVX64Q-3.bin"), Pattern(100, 1));
  WriteFile(Path("DSP-ORVX64Q-3.bin"), Pattern(100, 2));
  SimDeviceSettings settings;
  settings.firmwareFaults.badCrc = true;
  const UpdateOutcome outcome = Run({}, settings);
  EXPECT_FALSE(outcome.success);
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[0].substr(0, 9), "%U,01,03,");
  EXPECT_EQ(host.messages[1], "update fail");
  EXPECT_EQ(socket->Count('S'), 1);
}

TEST_F(FirmwareTransfer, GivenFilesAreSentWhateverTheBasicVersionAndAMissingOneSendsNothing) {
  WriteFile(Path("a.bin"), Pattern(1500, 1));
  WriteFile(Path("b.bin"), Pattern(700, 2));
  UpdateJob job;
  job.images = LocalImagePair{Path("a.bin"), Path("b.bin")};
  EXPECT_TRUE(Run(job).success);
  EXPECT_EQ(device->Firmware().Images()[0].bytes, Pattern(1500, 1));

  job.images = LocalImagePair{Path("missing.bin"), Path("b.bin")};
  EXPECT_FALSE(Run(job).success);
  EXPECT_EQ(host.messages.back(), "update fail");
  EXPECT_EQ(socket->Count('S'), 0);
}

TEST_F(FirmwareTransfer, RemoteUpdateDownloadsWhenThePageIsNewerAsANumber) {
  http.pages["http://page"] = "x##$$http://one%%%%http://two%%%%10$$##y";
  http.files["http://one"] = Pattern(1100, 1);  // first address: sent second, to the DSP
  http.files["http://two"] = Pattern(900, 2);   // second address: sent first, to the Digital side
  SimDeviceSettings settings;
  settings.firmwareVersion = "9";
  UpdateJob job;
  job.kind = UpdateKind::Remote;
  job.pageUrl = "http://page";
  const UpdateOutcome outcome = Run(job, settings);
  EXPECT_TRUE(outcome.success);
  EXPECT_EQ(host.messages, std::vector<std::string>{"Update successfully."});
  EXPECT_EQ(http.downloads, (std::vector<std::string>{"http://one", "http://two"}));
  const auto& images = device->Firmware().Images();
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].target, 1);
  EXPECT_EQ(images[0].bytes, Pattern(900, 2));
  EXPECT_EQ(images[1].bytes, Pattern(1100, 1));
  EXPECT_EQ(host.versions.offered, "10");
  EXPECT_EQ(socket->Count('r'), 0) << "the remote update does not ask the base version";
}

TEST_F(FirmwareTransfer, RemoteUpdateEndsWithoutSendingWhenNotNewerOrThePageIsBad) {
  UpdateJob job;
  job.kind = UpdateKind::Remote;
  job.pageUrl = "http://page";
  http.pages["http://page"] = "##$$http://one%%%%http://two%%%%32$$##";
  EXPECT_TRUE(Run(job).upToDate);
  EXPECT_EQ(host.messages.back(), "Software is the newst.");

  http.pages["http://page"] = "##$$http://one%%%%32$$##";
  Run(job);
  EXPECT_EQ(host.messages.back(), "Update fail.");
  EXPECT_EQ(host.titles.back(), "Warming");

  http.pages["http://page"] = "##$$http://one%%%%http://two%%%%33$$##";  // newer, but nothing to download
  Run(job);
  EXPECT_EQ(host.messages.back(), "update fail");
  EXPECT_EQ(socket->Count('S'), 0);

  Run(job, {}, {'Z'});
  EXPECT_EQ(host.messages.back(), "Get version error.");
}

}  // namespace
}  // namespace orvx
