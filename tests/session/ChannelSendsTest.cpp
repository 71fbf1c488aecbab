#include "session/ChannelSends.h"

#include <gtest/gtest.h>

namespace orvx {
namespace {

TEST(ChannelSendsTest, MuteStoresZeroAndUnmuteTheFaderPositionWhileTheFaderStays) {
  CDeviceState s;
  s.ResetToDefaults();
  s.in[4].sends[3] = 40;
  CChannelSends rows;
  rows.Open(s, 4);
  ASSERT_FALSE(rows.Muted(3));

  const ParamWrite mute = rows.ToggleMute(3);
  EXPECT_EQ(mute.addr, (ParamAddr{ParamId::InSend, 4, 3}));
  EXPECT_EQ(mute.value.raw, 0);
  EXPECT_TRUE(rows.Muted(3));
  s.in[4].sends[3] = 0;
  rows.Sync(s);  // its own write coming back does not move the fader
  EXPECT_EQ(rows.FaderPos(3), 40);
  EXPECT_TRUE(rows.Muted(3));

  const ParamWrite unmute = rows.ToggleMute(3);
  EXPECT_EQ(unmute.value.raw, 40);
  EXPECT_FALSE(rows.Muted(3));

  // A muted row whose level is set elsewhere (undo, a report) follows it.
  rows.ToggleMute(3);
  s.in[4].sends[3] = 25;
  rows.Sync(s);
  EXPECT_FALSE(rows.Muted(3));
  EXPECT_EQ(rows.FaderPos(3), 25);
  // Moving a fader stores its position and unmutes the row.
  rows.ToggleMute(5);
  EXPECT_EQ(rows.Move(5, 33).value.raw, 33);
  EXPECT_FALSE(rows.Muted(5));
}

TEST(ChannelSendsTest, EffectReturnsHaveNoDelayOrReverbSend) {
  const std::pair<int, int> lastShownRow[] = {{0, 8}, {15, 8}, {16, 6}, {17, 6}};
  for (auto [record, last] : lastShownRow) {
    for (int row = 0; row < CChannelSends::kRows; ++row)
      EXPECT_EQ(CChannelSends::RowShown(record, row), row <= last) << record << " row " << row;
  }
}

}  // namespace
}  // namespace orvx
