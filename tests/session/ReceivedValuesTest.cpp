#include "session/ReceivedValues.h"

#include <gtest/gtest.h>


namespace orvx {
namespace {

// Out-of-range values as a damaged or foreign report leaves them, and what the table allows.
TEST(ReceivedValues, EveryValueOutsideItsRangeIsClampedAndCounted) {
  CDeviceState s;
  s.ResetToDefaults();
  ClampToTable(s);  // start-up values of the automatic mixer lie below their lists until a report
  struct Case {
    std::int32_t* field;
    std::int32_t received;
    std::int32_t stored;
  };
  const Case cases[] = {
      {&s.in[2].level, 255, 70},           // would read "+195dB"
      {&s.out[1].mute, 7, 1},              //
      {&s.in[9].preampGain, 3, 1},         // inputs 9 and up have two steps
      {&s.automix[kHoldTime], 0, 1},       // HOLD TIME, energy and count start at 1
      {&s.detector[1], 0, 1},              //
      {&s.detector[2], -3, 1},             //
      {&s.detector[0], 0, 0},              // the zero-crossing rate may be 0
      {&s.in[4].level, 33, 33},            // in range: untouched
  };
  for (const Case& c : cases) *c.field = c.received;
  s.unitSlots[1][2] = 254;
  EXPECT_EQ(ClampToTable(s), 7);
  for (const Case& c : cases) EXPECT_EQ(*c.field, c.stored) << c.received;
  EXPECT_EQ(s.unitSlots[1][2], 20) << "a slot entry no list holds is never echoed in the next \"%X\"";
  EXPECT_EQ(ClampToTable(s), 0);
}

}  // namespace
}  // namespace orvx
