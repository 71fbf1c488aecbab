#include <gtest/gtest.h>

#include <algorithm>

#include "device/DeviceSearch.h"
#include "device/DeviceTestDoubles.h"

namespace orvx {
namespace {

using test::FakeProcessor;
using test::ThreadSafePacer;
using test::WaitUntil;

// Every address here is on loopback. The listener sits outside the probed range (127.0.0.70..75),
// so it never hears its own probe; the PC's own address is .74.
constexpr const char* kListenIp = "127.0.0.69";
constexpr const char* kOwnIp = "127.0.0.74";

SearchSubnet LoopbackSubnet(const std::string& ownIp = kOwnIp) {
  SearchSubnet s = *SubnetOf(ownIp);
  s.interfaceName = "lo";
  return s;
}

class DeviceSearchTest : public ::testing::Test {
protected:
  SearchSettings Settings(int first = 70, int last = 75) {
    SearchSettings settings;
    settings.localIp = kListenIp;
    settings.hosts = {first, last};
    return settings;
  }
  bool ProbeEnds(const CDeviceSearch& search) {
    return WaitUntil([&] { return !search.Progress().probing; });
  }

  CFixedSubnetProvider m_subnet{LoopbackSubnet()};
  ThreadSafePacer m_pacer;
};

TEST_F(DeviceSearchTest, FindsEachAnsweringProcessorOnceAndNeverProbesItsOwnAddress) {
  FakeProcessor a("127.0.0.71", kSearchPort);
  FakeProcessor b("127.0.0.72", kSearchPort);
  const int own = test::BindUdp(kOwnIp, kSearchPort);  // sees any probe sent to the PC itself
  ASSERT_TRUE(a.Bound() && b.Bound() && own >= 0);

  CDeviceSearch search(m_subnet, m_pacer, Settings());
  const SearchStart start = search.Start();
  ASSERT_TRUE(start.ok) << start.reason.en;
  EXPECT_TRUE(search.HoldsPort());
  ASSERT_TRUE(ProbeEnds(search));
  // Both processors answer both probes: four answers, two rows.
  ASSERT_TRUE(WaitUntil([&] { return search.AnswersHeard() == 4; }));

  std::vector<FoundDevice> found = search.Results();
  std::sort(found.begin(), found.end(), [](auto& x, auto& y) { return x.ip < y.ip; });
  EXPECT_EQ(found, (std::vector<FoundDevice>{{"127.0.0.71", 39030}, {"127.0.0.72", 39030}}));
  EXPECT_EQ(a.ProbesReceived(), 2);
  EXPECT_EQ(b.ProbesReceived(), 2);
  EXPECT_FALSE(test::HasPendingDatagram(own));

  // Hosts 70..75 without .74: five hosts, two probes each, one 5 ms pause after each host.
  EXPECT_EQ(m_pacer.Pauses(), std::vector<int>(5, 5));
  const SearchProgress progress = search.Progress();
  EXPECT_EQ(progress.hostsDone, 6);
  EXPECT_EQ(progress.hostsTotal, 6);
  const SearchFacts facts = search.Facts();
  EXPECT_EQ(facts.hostsProbed, 5);
  EXPECT_EQ(facts.probesSent, 10);
  EXPECT_FALSE(facts.cancelled);
  close(own);
}

TEST_F(DeviceSearchTest, CancelEndsTheProbeAfterTheCurrentHost) {
  CDeviceSearch search(m_subnet, m_pacer, Settings());
  m_pacer.onPause = [&](int count) {
    if (count == 2) search.Cancel();
  };
  ASSERT_TRUE(search.Start().ok);
  ASSERT_TRUE(ProbeEnds(search));
  EXPECT_EQ(search.Progress().hostsDone, 2);
  const SearchFacts facts = search.Facts();
  EXPECT_EQ(facts.hostsProbed, 2);
  EXPECT_TRUE(facts.cancelled);
  EXPECT_TRUE(search.HoldsPort()) << "the listener keeps collecting answers after a cancel";
}

TEST_F(DeviceSearchTest, HoldsThePortUntilStopped) {
  CDeviceSearch search(m_subnet, m_pacer, Settings(70, 70));
  ASSERT_TRUE(search.Start().ok);
  ASSERT_TRUE(ProbeEnds(search));
  EXPECT_TRUE(search.HoldsPort());
  EXPECT_LT(test::BindUdp(kListenIp, kSearchPort), 0) << "the link could not bind while the search listens";
  search.Stop();
  EXPECT_FALSE(search.HoldsPort());
  const int link = test::BindUdp(kListenIp, kSearchPort);
  EXPECT_GE(link, 0);
  close(link);
}

TEST_F(DeviceSearchTest, PortInUseIsReportedAndNothingIsProbed) {
  const int other = test::BindUdp(kListenIp, kSearchPort);  // a second editor, say
  ASSERT_GE(other, 0);
  CDeviceSearch search(m_subnet, m_pacer, Settings());
  const SearchStart start = search.Start();
  EXPECT_FALSE(start.ok);
  EXPECT_EQ(start.reason.en, "port 39030 is already in use by another program (a second editor or orvxctl monitor?)");
  EXPECT_FALSE(search.HoldsPort());
  EXPECT_FALSE(search.Progress().probing);
  EXPECT_EQ(search.Facts().probesSent, 0);
  EXPECT_TRUE(m_pacer.Pauses().empty());
  close(other);
}

TEST_F(DeviceSearchTest, WithoutAnInterfaceNothingIsBound) {
  class NoSubnet final : public ISubnetProvider {
    std::optional<SearchSubnet> FindSubnet() override { return std::nullopt; }
  } none;
  CDeviceSearch search(none, m_pacer, Settings());
  const SearchStart start = search.Start();
  EXPECT_FALSE(start.ok);
  EXPECT_EQ(start.reason.en, NoInterfaceReason().en);
  EXPECT_FALSE(search.HoldsPort());
}

TEST_F(DeviceSearchTest, EmptySubnetEndsWithTheExplanationOfWhatWasProbed) {
  CDeviceSearch search(m_subnet, m_pacer, Settings(75, 78));
  ASSERT_TRUE(search.Start().ok);
  ASSERT_TRUE(ProbeEnds(search));
  EXPECT_TRUE(search.Results().empty());
  const std::string text = ExplainSearchMiss(search.Facts(), Language::English);
  EXPECT_NE(text.find("interface lo (this PC: 127.0.0.74), subnet 127.0.0.0/24, hosts 75 to 78"), std::string::npos)
      << text;
  EXPECT_NE(text.find("4 hosts probed with 8 probes"), std::string::npos) << text;
  EXPECT_NE(text.find("UDP port 39030 was free"), std::string::npos) << text;
}

TEST_F(DeviceSearchTest, SearchingAgainReplacesTheRunningSearch) {
  FakeProcessor a("127.0.0.71", kSearchPort);
  ASSERT_TRUE(a.Bound());
  CDeviceSearch search(m_subnet, m_pacer, Settings(71, 71));
  ASSERT_TRUE(search.Start().ok);
  ASSERT_TRUE(WaitUntil([&] { return search.AnswersHeard() == 2; }));
  // The earlier listener is stopped first, so the port is free again for the new one.
  const SearchStart again = search.Start();
  ASSERT_TRUE(again.ok) << again.reason.en;
  ASSERT_TRUE(WaitUntil([&] { return a.ProbesReceived() == 4 && search.AnswersHeard() == 2; }));
  EXPECT_EQ(search.Results(), (std::vector<FoundDevice>{{"127.0.0.71", 39030}}));
}

}  // namespace
}  // namespace orvx
