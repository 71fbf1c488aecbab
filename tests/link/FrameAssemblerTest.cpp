#include "link/FrameAssembler.h"

#include <gtest/gtest.h>

#include "link/FrameChecksum.h"

namespace orvx {
namespace {

const std::string kProbe = "%R,01,00,30A0#";
const std::string kQ = CompleteFrame("%Q,01,01,");
const std::string kA = CompleteFrame("%A,01,05,01,46,");

struct FeedResult {
  std::vector<std::string> frames;
  std::vector<int> counts;  ///< Feed's return value per datagram
};

FeedResult FeedAll(CFrameAssembler& a, const std::vector<std::string>& datagrams) {
  FeedResult r;
  for (const std::string& d : datagrams) {
    r.counts.push_back(a.Feed(d, [&](std::string_view f) { r.frames.emplace_back(f); }));
  }
  return r;
}

struct Case {
  const char* name;
  std::vector<std::string> datagrams;
  std::vector<std::string> frames;
  std::string carry;
};

class AssemblerCases : public ::testing::TestWithParam<Case> {};

TEST_P(AssemblerCases, DispatchesExactlyTheValidFrames) {
  const Case& c = GetParam();
  CFrameAssembler a;
  const FeedResult r = FeedAll(a, c.datagrams);
  EXPECT_EQ(r.frames, c.frames);
  int total = 0;
  for (int n : r.counts) total += n;
  EXPECT_EQ(total, static_cast<int>(r.frames.size()));
  EXPECT_EQ(a.CarryOver(), c.carry);
}

INSTANTIATE_TEST_SUITE_P(
    Reassembly, AssemblerCases,
    ::testing::Values(
        Case{"OneFrame", {kProbe}, {kProbe}, ""}, Case{"TwoFramesInOneDatagramInOrder", {kQ + kA}, {kQ, kA}, ""},
        Case{"SplitFrameCompletedByNextDatagram", {kA.substr(0, 7), kA.substr(7)}, {kA}, ""},
        Case{"PartialFrameIsCarried", {kA.substr(0, 12)}, {}, kA.substr(0, 12)},
        Case{"StrayTextEndingInHashBeforeStartIsDropped", {"junk#" + kProbe}, {kProbe}, ""},
        Case{"StrayHashCarriedOverThenDropped", {"xx#yy", kProbe}, {kProbe}, ""},
        Case{"LaterPercentRestartsTheCandidate", {"%A,01,0" + kQ}, {kQ}, ""},
        Case{"LowerCaseChecksumDropped", {"%R,01,00,30a0#" + kQ}, {kQ}, ""},
        Case{"BadChecksumDropped", {"%R,01,00,30A1#"}, {}, ""},
        Case{"EightCharacterCandidateDropped", {CompleteFrame("%A,") + kQ}, {kQ}, ""},
        Case{"TextAfterLastFrameIsCarried", {kQ + "%A,01"}, {kQ}, "%A,01"},
        Case{"TextWithoutStartIsCarried", {"abc"}, {}, "abc"},
        Case{"NulEndsTheDatagram", {kQ + std::string(1, '\0') + kA}, {kQ}, ""},
        Case{"TextAfterNulIsIgnored", {kA.substr(0, 6) + std::string(1, '\0') + "zz", kA.substr(6)}, {kA}, ""},
        Case{"TwoCharactersAreKeptForLater", {"%A", kA.substr(2)}, {kA}, ""},
        Case{"EmptyDatagramChangesNothing", {kA.substr(0, 5), "", kA.substr(5)}, {kA}, ""}),
    [](const ::testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

TEST(FrameAssembler, FrameSplitAtAnyPointIsDispatchedOnce) {
  for (std::size_t cut = 1; cut < kA.size(); ++cut) {
    CFrameAssembler a;
    const FeedResult r = FeedAll(a, {kA.substr(0, cut), kA.substr(cut)});
    EXPECT_EQ(r.frames, std::vector<std::string>{kA}) << "cut at " << cut;
    EXPECT_EQ(r.counts, (std::vector<int>{0, 1})) << "cut at " << cut;
  }
}

TEST(FrameAssembler, CarryOverStaysBoundedWithoutStartMarker) {
  CFrameAssembler a;
  const std::string noise(1500, 'x');
  for (int i = 0; i < 20; ++i) {
    a.Feed(noise, [](std::string_view) { FAIL() << "no frame expected"; });
    ASSERT_LE(a.CarryOver().size(), CFrameAssembler::kMaxCarryOver) << "after datagram " << i;
  }
  // A frame arriving after the flood still gets through.
  EXPECT_EQ(a.Feed(kProbe, [](std::string_view) {}), 1);
}

TEST(FrameAssembler, OverlongCarryKeepsTheLastPossibleFrameStart) {
  CFrameAssembler a;
  a.Feed(std::string(2000, 'x'), [](std::string_view) {});
  a.Feed(std::string(1500, 'y') + kA.substr(0, 10), [](std::string_view) {});
  EXPECT_EQ(a.CarryOver(), kA.substr(0, 10));
  std::vector<std::string> got;
  a.Feed(kA.substr(10), [&](std::string_view f) { got.emplace_back(f); });
  EXPECT_EQ(got, std::vector<std::string>{kA});
}

TEST(FrameAssembler, StartMarkerFollowedByEndlessTextIsEmptied) {
  CFrameAssembler a;
  a.Feed("%" + std::string(2000, 'z'), [](std::string_view) {});
  a.Feed(std::string(2000, 'z'), [](std::string_view) {});
  EXPECT_TRUE(a.CarryOver().empty());
}

TEST(FrameAssembler, LongestRealFrameSplitIntoPiecesIsAccepted) {
  std::string body = "%V,01,01,";
  body += std::string(32, '0') + "," + std::string(576, 'A') + ",";
  const std::string frame = CompleteFrame(body);
  ASSERT_EQ(frame.size(), 624u);
  CFrameAssembler a;
  std::vector<std::string> got;
  for (std::size_t at = 0; at < frame.size(); at += 256) {
    a.Feed(frame.substr(at, 256), [&](std::string_view f) { got.emplace_back(f); });
  }
  EXPECT_EQ(got, std::vector<std::string>{frame});
}

TEST(FrameAssembler, ResetForgetsThePartialFrame) {
  CFrameAssembler a;
  a.Feed(kA.substr(0, 9), [](std::string_view) {});
  a.Reset();
  EXPECT_EQ(a.Feed(kA.substr(9), [](std::string_view) {}), 0);
}

}  // namespace
}  // namespace orvx
