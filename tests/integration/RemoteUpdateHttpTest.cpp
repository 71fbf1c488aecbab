// The remote update against a real HTTP server on 127.0.0.1 (started by the test) and the simulated
// processor: the version page, its comparison, the downloads and what a bad server does.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "common/SimUpdateSocket.h"
#include "common/TinyHttpServer.h"
#include "common/UpdateTestDoubles.h"
#include "device/CurlHttpClient.h"
#include "device/FirmwareUpdate.h"

namespace orvx {
namespace {

using test::TinyHttpServer;

std::string Bytes(std::size_t n, int seed) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 31 + static_cast<std::size_t>(seed)) % 256);
  return s;
}

std::vector<std::uint8_t> AsVector(const std::string& s) { return {s.begin(), s.end()}; }

class RemoteUpdateHttp : public ::testing::Test {
protected:
  void SetUp() override {
    // Only the loopback server may be reached: no proxy from the environment.
    for (const char* v : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY", "all_proxy"})
      unsetenv(v);
    dir = std::filesystem::path(::testing::TempDir()) /
          ("orvx-remote-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(dir);
    http.Set("/one.bin", {200, one, 0});
    http.Set("/two.bin", {200, two, 0});
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  /// A page naming the two images and `version`.
  std::string Page(const std::string& version, const std::string& first = "/one.bin") const {
    return "<html>\n##$$" + http.Url(first) + "%%%%" + http.Url("/two.bin") + "%%%%" + version + "$$##\n</html>";
  }

  UpdateOutcome Run() {
    SimDeviceSettings settings;
    settings.firmwareVersion = "9";
    device = std::make_unique<CSimDevice>(settings);
    test::SimUpdateSocket socket(*device, clock);
    UpdateJob job;
    job.kind = UpdateKind::Remote;
    job.directory = dir.string();
    job.pageUrl = http.Url("/version");
    CFirmwareUpdate update(job, socket, host, pacer, clock, &client);
    return update.Run();
  }

  const std::string one = Bytes(1500, 1);
  const std::string two = Bytes(3000, 2);
  std::filesystem::path dir;
  TinyHttpServer http;
  CCurlHttpClient client;
  FakeClock clock;
  test::ClockPacer pacer{clock};
  test::RecordingHost host;
  std::unique_ptr<CSimDevice> device;
};

TEST_F(RemoteUpdateHttp, ANewerVersionIsDownloadedAndSent) {
  ASSERT_NE(http.Port(), 0);
  http.Set("/version", {200, Page("10"), 0});  // 10 is newer than the processor's 9
  const UpdateOutcome outcome = Run();
  EXPECT_TRUE(outcome.success);
  EXPECT_EQ(host.messages, std::vector<std::string>{"Update successfully."});
  const auto& images = device->Firmware().Images();
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].bytes, AsVector(two)) << "the second address goes first, to the Digital side";
  EXPECT_EQ(images[1].bytes, AsVector(one));
  EXPECT_TRUE(std::filesystem::exists(dir / "upate1.bin"));
  EXPECT_EQ(std::filesystem::file_size(dir / "upate2.bin"), two.size());
  // Every request asks the server itself, not a cache.
  for (const std::string& r : http.Requests()) {
    EXPECT_NE(r.find("Pragma: no-cache"), std::string::npos) << r;
    EXPECT_NE(r.find("User-Agent: Agent"), std::string::npos) << r;
  }
}

TEST_F(RemoteUpdateHttp, TheSameVersionSendsNothing) {
  http.Set("/version", {200, Page("9"), 0});
  EXPECT_TRUE(Run().upToDate);
  EXPECT_EQ(host.messages, std::vector<std::string>{"Software is the newst."});
  EXPECT_EQ(http.Requests().size(), 1u) << "nothing is downloaded";
}

TEST_F(RemoteUpdateHttp, AMalformedOrMissingPageIsUpdateFail) {
  http.Set("/version", {200, "##$$only one address$$##", 0});
  Run();
  http.Set("/version", {404, Page("10"), 0});  // a page that says newer, but with a 404
  Run();
  EXPECT_EQ(host.messages, (std::vector<std::string>{"Update fail.", "Update fail."}));
  EXPECT_EQ(host.titles, (std::vector<std::string>{"Warming", "Warming"}));
  EXPECT_TRUE(device->Firmware().Images().empty());
}

TEST_F(RemoteUpdateHttp, AMissingOrCutOffImageIsNeverSent) {
  http.Set("/version", {200, Page("10", "/gone.bin"), 0});  // the first address answers 404
  Run();
  EXPECT_EQ(host.messages.back(), "update fail");
  EXPECT_FALSE(std::filesystem::exists(dir / "upate1.bin"));

  http.Set("/cut.bin", {200, one.substr(0, 700), one.size()});  // announces 1,500 bytes, sends 700
  http.Set("/version", {200, Page("10", "/cut.bin"), 0});
  Run();
  EXPECT_EQ(host.messages.back(), "update fail");
  EXPECT_FALSE(std::filesystem::exists(dir / "upate1.bin"));
  EXPECT_FALSE(std::filesystem::exists(dir / "upate1.bin.part")) << "the part is cleared away";

  http.Set("/empty.bin", {200, "", 0});
  http.Set("/version", {200, Page("10", "/empty.bin"), 0});
  Run();
  EXPECT_EQ(host.messages.back(), "update fail");
  EXPECT_EQ(device->Firmware().Images().size(), 0u);
}

TEST_F(RemoteUpdateHttp, ADownloadReplacesAnOldFileOnlyWhenItArrivedWhole) {
  const std::string path = (dir / "upate1.bin").string();
  std::ofstream(path) << "old";
  http.Set("/cut.bin", {200, "abc", 10});
  EXPECT_FALSE(client.DownloadToFile(http.Url("/cut.bin"), path));
  EXPECT_EQ(std::filesystem::file_size(path), 3u) << "the old file stays";
  EXPECT_TRUE(client.DownloadToFile(http.Url("/two.bin"), path));
  EXPECT_EQ(std::filesystem::file_size(path), two.size());
  EXPECT_FALSE(client.FetchPageText(http.Url("/nothing")));
  EXPECT_EQ(client.FetchPageText(http.Url("/one.bin")), one);
}

}  // namespace
}  // namespace orvx
