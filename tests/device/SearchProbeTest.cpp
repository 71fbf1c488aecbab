#include <gtest/gtest.h>

#include <algorithm>

#include "device/SearchProbe.h"
#include "device/SearchSubnet.h"
#include "link/FrameChecksum.h"

namespace orvx {
namespace {

TEST(ProbeHosts, CoversTheRangeWithoutTheOwnHost) {
  const std::vector<int> all = ProbeHosts(HostRange{}, 74);
  // .0, .1 and .255 are never probed, nor the PC itself.
  EXPECT_EQ(all.front(), 2);
  EXPECT_EQ(all.back(), 254);
  EXPECT_EQ(all.size(), 252u);
  EXPECT_EQ(std::count(all.begin(), all.end(), 74), 0);

  EXPECT_EQ(ProbeHosts({70, 75}, 1), (std::vector<int>{70, 71, 72, 73, 74, 75}));
  EXPECT_EQ(ProbeHosts({70, 72}, 70), (std::vector<int>{71, 72}));
  EXPECT_EQ(ProbeHosts({0, 300}, -1).size(), 254u) << "a range is clamped to hosts 1..254";
}

struct AnswerCase {
  std::string frame;
  bool answer;
};

class SearchAnswer : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(SearchAnswer, OnlyAnIdleProcessorsReplyCounts) {
  EXPECT_EQ(IsSearchAnswer(GetParam().frame), GetParam().answer) << GetParam().frame;
}

INSTANTIATE_TEST_SUITE_P(Frames, SearchAnswer,
                         ::testing::Values(AnswerCase{CompleteFrame("%R,01,00,"), true},
                                           AnswerCase{CompleteFrame("%R,01,00,45,"), true},
                                           AnswerCase{CompleteFrame("%R,01,01,"), false},  // status not 0
                                           AnswerCase{CompleteFrame("%R,01,10,"), false},
                                           AnswerCase{CompleteFrame("%r,01,00,"), false},  // the base version reply
                                           AnswerCase{CompleteFrame("%Z,01,00,"), false},
                                           AnswerCase{CompleteFrame("%R,01,"), false},  // no status field
                                           AnswerCase{"%R,01,00,0000#", false}));       // bad checksum

TEST(SearchSubnet, SplitsADottedQuad) {
  const std::optional<SearchSubnet> s = SubnetOf("10.20.30.40");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->prefix, "10.20.30");
  EXPECT_EQ(s->ownHost, 40);
  EXPECT_FALSE(SubnetOf("10.20.30"));
  EXPECT_FALSE(SubnetOf("host.example"));
}

TEST(SearchSubnet, PicksTheFirstActiveNonLoopbackInterface) {
  const InterfaceAddress lo{"lo", "127.0.0.1", true, true, true};
  const InterfaceAddress down{"eth0", "10.1.1.5", false, false, false};
  const InterfaceAddress noCarrier{"eth1", "10.2.2.5", true, false, false};
  const InterfaceAddress wlan{"wlan0", "10.3.3.5", true, true, false};
  const InterfaceAddress eth2{"eth2", "10.4.4.5", true, true, false};

  const std::optional<SearchSubnet> s = PickSearchInterface({lo, down, noCarrier, wlan, eth2});
  ASSERT_TRUE(s);
  EXPECT_EQ(s->interfaceName, "wlan0");
  EXPECT_EQ(s->ownIp, "10.3.3.5");
  EXPECT_EQ(s->prefix, "10.3.3");
  EXPECT_EQ(s->ownHost, 5);
  EXPECT_FALSE(PickSearchInterface({lo, down, noCarrier}));
}

}  // namespace
}  // namespace orvx
