#include <gtest/gtest.h>

#include <clocale>

#include "device/FirmwareVersions.h"
#include "device/RemoteVersionPage.h"
#include "device/UpdatePortRelease.h"
#include "device/UpdateTexts.h"

namespace orvx {
namespace {

TEST(FirmwareVersions, AreComparedAsNumbers) {
  EXPECT_TRUE(RemoteIsNewer("9", "10")) << "10 is newer than 9";
  EXPECT_FALSE(RemoteIsNewer("10", "9"));
  EXPECT_FALSE(RemoteIsNewer("32", "32"));
  EXPECT_FALSE(RemoteIsNewer("32", "032"));
  EXPECT_TRUE(RemoteIsNewer("", "1"));
  EXPECT_FALSE(RemoteIsNewer("33", ""));
}

TEST(FirmwareVersions, TheBasicVersionChoosesTheImagePair) {
  EXPECT_EQ(LocalImageNames(300).digital, "Digital-ORVX64Q-3.bin");
  EXPECT_EQ(LocalImageNames(300).dsp, "DSP-ORVX64Q-3.bin");
  EXPECT_EQ(LocalImageNames(299).digital, "Digital-ORVX64Q.bin");
  EXPECT_EQ(LocalImageNames(VersionNumber(kUnknownBasicVersion)).dsp, "DSP-ORVX64Q.bin");
}

TEST(FirmwareVersions, LabelsUseTheFullWidthColonAndAPointWhateverTheLocale) {
  // A comma-decimal locale must not turn 3.2 into 3,2 (printf would).
  const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  EXPECT_EQ(VersionLabel(captions::kHardwareVersion, "32", kTenths, Language::English), "Hardware version：3.2");
  EXPECT_EQ(VersionLabel(captions::kHardwareVersion, "32", kTenths, Language::Chinese), "固件版本：3.2");
  EXPECT_EQ(VersionLabel(captions::kBasicVersion, "300", kHundredths, Language::English), "Basic version：3.0");
  EXPECT_EQ(VersionLabel(captions::kLocalVersion, kShippedVersion, kTenths, Language::Chinese), "本地升级版本：3.0");
  EXPECT_EQ(VersionLabel(captions::kRemoteVersion, "x", kTenths, Language::English), "Remote version：0.0");
  if (german) std::setlocale(LC_ALL, "C");
}

struct PageCase {
  std::string text;
  bool usable;
  RemoteVersionPage page;
};

class VersionPage : public ::testing::TestWithParam<PageCase> {};

TEST_P(VersionPage, NamesTwoAddressesAndTheVersionOrIsRefused) {
  const auto page = ParseVersionPage(GetParam().text);
  ASSERT_EQ(page.has_value(), GetParam().usable) << GetParam().text;
  if (!page) return;
  EXPECT_EQ(page->firstAddress, GetParam().page.firstAddress);
  EXPECT_EQ(page->secondAddress, GetParam().page.secondAddress);
  EXPECT_EQ(page->version, GetParam().page.version);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, VersionPage,
    ::testing::Values(PageCase{"##$$a%%%%b%%%%32$$##", true, {"a", "b", "32"}},
                      PageCase{"<html><body>\n##$$ http://h/d.bin %%%%\nhttp://h/g.bin%%%% 33\n$$##</body>",
                               true,
                               {"http://h/d.bin", "http://h/g.bin", "33"}},
                      PageCase{"$$##a%%%%b%%%%32##$$", false, {}},        // markers the wrong way round
                      PageCase{"##$$a%%%%b%%%%32", false, {}},            // no end marker
                      PageCase{"a%%%%b%%%%32$$##", false, {}},            // no start marker
                      PageCase{"##$$ab$$##", false, {}},                  // no separator
                      PageCase{"##$$a%%%%b$$##", false, {}},              // no version
                      PageCase{"##$$%%%%b%%%%32$$##", false, {}},         // no first address
                      PageCase{"##$$a%%%%b%%%%3.2$$##", false, {}},       // a version that is not digits
                      PageCase{"##$$a%$$##", false, {}},                  // fewer than three characters between the markers
                      PageCase{"Error", false, {}}, PageCase{"", false, {}}));

TEST(UpdatePortRelease, LocalStopsTheLinkInThreePairsThenTheReceiver) {
  using A = ReleaseAction;
  const std::vector<ReleaseStep> online = UpdatePortRelease(UpdateKind::Local, {true, false, true});
  const std::vector<ReleaseStep> expected{{A::StopReports, 0},   {A::StopReports, 200}, {A::StopReports, 0},
                                          {A::StopReports, 200}, {A::StopReports, 0},   {A::StopReports, 0},
                                          {A::MarkDisconnected, 0}, {A::StopReports, 100}, {A::StopReports, 0},
                                          {A::StopReceiving, 500}};
  EXPECT_EQ(online, expected);
  EXPECT_EQ(UpdatePortRelease(UpdateKind::Local, {false, true, false}), (std::vector<ReleaseStep>{{A::StopSearch, 500}}));
  EXPECT_TRUE(UpdatePortRelease(UpdateKind::Local, {}).empty());
}

TEST(UpdatePortRelease, RemoteStopsTheLinkOnceAndWaitsASecond) {
  using A = ReleaseAction;
  const std::vector<ReleaseStep> online = UpdatePortRelease(UpdateKind::Remote, {true, false, true});
  EXPECT_EQ(online, (std::vector<ReleaseStep>{{A::StopReports, 0}, {A::StopReceiving, 0}, {A::MarkDisconnected, 1000}}));
  EXPECT_EQ(ReleasePauseMs(online), 1000);
  // An attempt still trying to connect holds the port too.
  EXPECT_EQ(UpdatePortRelease(UpdateKind::Remote, {false, false, true}),
            (std::vector<ReleaseStep>{{A::StopReceiving, 500}}));
}

}  // namespace
}  // namespace orvx
