#include <gtest/gtest.h>

#include <map>

#include "common/SceneTestSupport.h"
#include "device/PlanTokens.h"
#include "device/SceneRecall.h"
#include "link/Commands.h"
#include "link/LinkTestDoubles.h"

namespace orvx {
namespace {

TEST(SceneRecallPlan, TheWholeStateInTheProcessorsOrderWithItsPauses) {
  const CDeviceState s = scenetest::EditedState();
  test::PatternGlyphRenderer glyphs;
  const FramePlan plan = SceneRecallPlan(s, glyphs);
  const std::vector<std::string> tokens = test::Tokens(plan);
  const auto slice = [&](const std::string& from, std::size_t n) { return test::Slice(tokens, from, n); };

  // Names and levels first, then the units; the mixer as the factory push sends it (its order is
  // the recovery's, tested there); then what the scene also holds: the detector, inputs 13..16,
  // the sources of 13..18.
  EXPECT_EQ(slice("Q00", 5), "Q00 V01 A01 V02 A02 ");
  EXPECT_EQ(slice("V20", 8), "V20 A20 X01 X02 X03 X04 B01 C01 ");
  EXPECT_EQ(slice("F12", 11), "F12 N C13 E13 F13 G13.1 G13.2 G13.3 G13.4 G13.5 C14 ");
  EXPECT_EQ(slice("G16.5", 8), "G16.5 O13 O14 O15 O16 O17 O18 Q01 ");
  EXPECT_EQ(tokens.back(), "Q01");
  // "%I" follows the bands of channels 1..8 only: outputs 9..12 do not exist.
  EXPECT_EQ(slice("G09.4", 2), "G09.4 G10.1 ");
  EXPECT_EQ(slice("G12.4", 2), "G12.4 M ");

  std::map<char, int> perLetter;
  for (const std::string& t : tokens) ++perLetter[t[0]];
  const std::map<char, int> expected = {{'Q', 2},  {'V', 20}, {'A', 20}, {'X', 4},  {'B', 12}, {'C', 16},
                                        {'E', 16}, {'F', 16}, {'O', 18}, {'D', 8},  {'H', 8},  {'I', 16},
                                        {'J', 8},  {'K', 8},  {'L', 8},  {'G', 80}, {'M', 1},  {'N', 1}};
  EXPECT_EQ(perLetter, expected);

  // 200 ms after each name (its last piece), 100 ms after each unit, 20 ms after every other frame.
  for (std::size_t i = 0; i < plan.size(); ++i) {
    const Datagram& d = plan[i];
    if (i + 1 < plan.size() && plan[i + 1].bytes[0] != '%') {
      EXPECT_EQ(d.pauseAfterMs, kBulkPauseMs) << "a name's pieces";
      continue;
    }
    const bool namePiece = d.bytes[0] != '%' || d.bytes.rfind("%V", 0) == 0;
    const int expectedPause = namePiece ? 200 : d.bytes.rfind("%X", 0) == 0 ? 100 : 20;
    EXPECT_EQ(d.pauseAfterMs, expectedPause) << i << ": " << d.bytes.substr(0, 12);
  }
  // 20 names of three pieces (10 + 10 + 200 ms), 4 units, every other frame 20 ms.
  const int frames = static_cast<int>(tokens.size());
  EXPECT_EQ(PlanPauseMs(plan), 20 * 220 + 4 * 100 + (frames - 24) * 20);

  // The frames carry the scene's values, Chinese names rendered.
  EXPECT_EQ(plan.front().bytes, FrameQ(false));
  EXPECT_NE(std::find_if(plan.begin(), plan.end(), [&](const Datagram& d) { return d.bytes == FrameB(s, 4); }),
            plan.end());
  EXPECT_NE(std::find_if(plan.begin(), plan.end(), [&](const Datagram& d) { return d.bytes == FrameN(s); }),
            plan.end());
}

}  // namespace
}  // namespace orvx
