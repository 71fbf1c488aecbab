#include "session/ChannelSends.h"

#include <gtest/gtest.h>

namespace orvx {
namespace {

TEST(ChannelSendsTest, AMutedSendIsLevelZeroAndUnmutingBringsBackItsLevel) {
  CDeviceState s;
  s.ResetToDefaults();
  s.in[4].sends[3] = 40;
  CChannelSends rows;
  rows.Open(s, 4);
  ASSERT_FALSE(CChannelSends::Muted(s, 4, 3));

  const ParamWrite mute = rows.ToggleMute(s, 3);
  EXPECT_EQ(mute.addr, (ParamAddr{ParamId::InSend, 4, 3}));
  EXPECT_EQ(mute.value.raw, 0);
  WriteParam(s, mute.addr, mute.value);
  EXPECT_TRUE(CChannelSends::Muted(s, 4, 3));
  EXPECT_EQ(CChannelSends::Level(s, 4, 3), 0) << "the row shows what is stored";
  EXPECT_EQ(rows.ToggleMute(s, 3).value.raw, 40);

  // A level set elsewhere (undo, a scene) is the one unmuting brings back later.
  s.in[4].sends[3] = 25;
  rows.Sync(s);
  s.in[4].sends[3] = 0;
  EXPECT_EQ(rows.ToggleMute(s, 3).value.raw, 25);
  // A send that never had a level unmutes to 0 dB; moving a fader remembers its level.
  EXPECT_EQ(rows.ToggleMute(s, 5).value.raw, CChannelSends::kDefaultSendLevel);
  EXPECT_EQ(rows.Move(5, 33).value.raw, 33);
  s.in[4].sends[5] = 33;
  WriteParam(s, rows.ToggleMute(s, 5).addr, {0, {}});
  EXPECT_EQ(rows.ToggleMute(s, 5).value.raw, 33);
}

TEST(ChannelSendsTest, TheMainRowIsTheChannelsOwnLevelAndMute) {
  CDeviceState s;
  s.ResetToDefaults();
  s.in[2].level = 35;
  CChannelSends rows;
  rows.Open(s, 2);
  EXPECT_EQ(CChannelSends::Level(s, 2, CChannelSends::kMainRow), 35);
  EXPECT_EQ(rows.Move(CChannelSends::kMainRow, 50).addr, (ParamAddr{ParamId::InLevel, 2, 0}));
  const ParamWrite mute = rows.ToggleMute(s, CChannelSends::kMainRow);
  EXPECT_EQ(mute.addr, (ParamAddr{ParamId::InMute, 2, 0}));
  EXPECT_EQ(mute.value.raw, 1);
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
