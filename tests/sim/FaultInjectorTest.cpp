#include "FaultInjector.h"

#include "link/FrameChecksum.h"

#include <gtest/gtest.h>

namespace orvx {
namespace {

const std::string kFrame = CompleteFrame("%Q,01,00000000000000000000000000000000000000000000,");

std::string Joined(const std::vector<std::string>& parts) {
  std::string all;
  for (const auto& p : parts) all += p;
  return all;
}

TEST(FaultInjector, EachFaultAtCertainty) {
  struct Case {
    const char* name;
    FaultRates rates;
    std::function<void(const std::vector<std::string>&)> check;
    std::uint64_t FaultCounts::*counted;  ///< the count that must say 20 (nullptr: no fault at all)
  };
  const std::vector<Case> cases = {
      {"none", {}, [](const auto& d) { EXPECT_EQ(d, std::vector<std::string>{kFrame}); }, nullptr},
      {"loss", {1, 0, 0, 0, 0}, [](const auto& d) { EXPECT_TRUE(d.empty()); }, &FaultCounts::lost},
      {"dup",
       {0, 1, 0, 0, 0},
       [](const auto& d) {
         EXPECT_EQ(d, (std::vector<std::string>{kFrame, kFrame}));
       },
       &FaultCounts::duplicated},
      {"corrupt",
       {0, 0, 0, 1, 0},
       [](const auto& d) {
         ASSERT_EQ(d.size(), 1u);
         EXPECT_FALSE(IsValidFrame(d[0]));
         EXPECT_EQ(d[0].size(), kFrame.size());
       },
       &FaultCounts::corrupted},
      {"split",
       {0, 0, 0, 0, 1},
       [](const auto& d) {
         EXPECT_GE(d.size(), 2u);
         EXPECT_LE(d.size(), 3u);
         EXPECT_EQ(Joined(d), kFrame);
       },
       &FaultCounts::split},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CFaultInjector f(c.rates, 5);
    for (int i = 0; i < 20; ++i) c.check(f.Shape(kFrame));
    EXPECT_EQ(f.Counts().frames, 20u);
    EXPECT_EQ(f.Counts().Faults(), c.counted ? 20u : 0u) << "only the one fault, once a frame";
    if (c.counted) {
      EXPECT_EQ(f.Counts().*c.counted, 20u);
    }
  }
}

TEST(FaultInjector, ReorderSendsTheHeldFrameAfterTheNextOne) {
  CFaultInjector f({0, 0, 1, 0, 0}, 1);
  const std::string second = CompleteFrame("%P,01,");
  EXPECT_TRUE(f.Shape(kFrame).empty());
  EXPECT_EQ(f.Shape(second), (std::vector<std::string>{second, kFrame}));
  EXPECT_TRUE(f.Shape(kFrame).empty());
  EXPECT_EQ(f.Flush(), std::vector<std::string>{kFrame});
  EXPECT_TRUE(f.Flush().empty());
}

TEST(FaultInjector, NewRatesHoldFromTheNextFrame) {
  CFaultInjector f({1, 0, 0, 0, 0}, 3);
  EXPECT_TRUE(f.Shape(kFrame).empty());
  f.SetRates({});
  EXPECT_EQ(f.Shape(kFrame), std::vector<std::string>{kFrame});
  EXPECT_EQ(f.Counts().lost, 1u);
  EXPECT_EQ(f.Counts().frames, 2u);
}

TEST(FaultInjector, RatesAreHonouredAndRepeatableUnderASeed) {
  const FaultRates rates{0.2, 0, 0, 0.1, 0};
  auto run = [&](std::uint32_t seed) {
    CFaultInjector f(rates, seed);
    std::vector<std::string> all;
    for (int i = 0; i < 2000; ++i)
      for (auto& d : f.Shape(kFrame)) all.push_back(d);
    return all;
  };
  const auto a = run(9);
  EXPECT_EQ(a, run(9));
  EXPECT_NE(a, run(10));
  int valid = 0;
  for (const auto& d : a) valid += IsValidFrame(d);
  // 2000 x 0.8 sent, x 0.9 intact = 1440 expected.
  EXPECT_GT(valid, 1300);
  EXPECT_LT(valid, 1580);
  EXPECT_GT(static_cast<int>(a.size()), 1500);
  EXPECT_LT(static_cast<int>(a.size()), 1700);
}

}  // namespace
}  // namespace orvx
