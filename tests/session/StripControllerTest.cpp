#include <gtest/gtest.h>

#include "RecordingCommands.h"
#include "core/TextCodec.h"
#include "session/StripController.h"

namespace orvx {
namespace {

class StripControllerTest : public ::testing::Test {
protected:
  StripControllerTest() { state.ResetToDefaults(); }
  CDeviceState state;
  test::RecordingCommands commands;
  CValueReadout readout;
  CStripController strips{state, commands, readout};
};

TEST_F(StripControllerTest, FaderStoresSeventyMinusPositionAndSendsOnlyOnline) {
  strips.FaderMoved({false, 4}, 0);
  EXPECT_EQ(state.in[4].level, 70);
  EXPECT_TRUE(commands.calls.empty()) << "offline: state only";

  state.link.online = true;
  strips.FaderMoved({false, 4}, 70);
  EXPECT_EQ(state.in[4].level, 0);
  strips.FaderMoved({false, 4}, 90);  // out of range clamps to the bottom
  EXPECT_EQ(state.in[4].level, 0);
  EXPECT_EQ(commands.calls, (std::vector<std::string>{"A5", "A5"}));
  EXPECT_EQ(strips.FaderPosition({false, 4}), 70);
}

TEST_F(StripControllerTest, WhichStripsSendAndDriveTheReadout) {
  state.link.online = true;
  struct Case {
    StripSlot strip;
    const char* call;  ///< nullptr: nothing is sent
    int readoutChannel;
  };
  const Case cases[] = {
      {{false, 0}, "A1", 0},    {{false, 11}, "A12", 11}, {{false, 13}, nullptr, -1},
      {{false, 16}, nullptr, -1}, {{true, 0}, "A13", 18},  {{true, 7}, "A20", 25},
  };
  for (const auto& c : cases) {
    commands.calls.clear();
    readout.Touch(5, kinds::kSolo);
    const bool touched = strips.MutePressed(c.strip);
    EXPECT_EQ(touched, c.readoutChannel >= 0) << c.strip.record;
    if (c.call) EXPECT_EQ(commands.calls, std::vector<std::string>{c.call});
    else EXPECT_TRUE(commands.calls.empty()) << c.strip.record;
    if (touched) {
      EXPECT_EQ(readout.Channel(), c.readoutChannel);
      EXPECT_EQ(readout.Kind(), kinds::kMute);
    } else {
      EXPECT_EQ(readout.Channel(), 5) << "strips 13-18 leave the read-out alone";
    }
  }
  // The stored value changed even where nothing was sent.
  EXPECT_EQ(state.in[13].mute, 1);
}

TEST_F(StripControllerTest, MuteToggles) {
  EXPECT_FALSE(strips.Muted({true, 2}));
  strips.MutePressed({true, 2});
  EXPECT_TRUE(strips.Muted({true, 2}));
  EXPECT_EQ(state.out[2].mute, 1);
  strips.MutePressed({true, 2});
  EXPECT_EQ(state.out[2].mute, 0);
}

TEST_F(StripControllerTest, NameLimitIsEightGbkBytes) {
  state.link.online = true;
  EXPECT_EQ(strips.SetName({false, 0}, "ABCDEFGH"), NameResult::Stored);
  EXPECT_EQ(strips.NameText({false, 0}), "ABCDEFGH");
  EXPECT_EQ(strips.SetName({false, 0}, "ABCDEFGHI"), NameResult::TooLong);
  EXPECT_EQ(strips.NameText({false, 0}), "ABCDEFGH") << "a refused name leaves the old one";
  EXPECT_EQ(strips.SetName({false, 1}, "讲台话筒"), NameResult::Stored);  // 4 Chinese = 8 bytes
  EXPECT_EQ(strips.SetName({false, 1}, "讲台话筒A"), NameResult::TooLong);
  EXPECT_EQ(strips.SetName({false, 1}, ""), NameResult::Empty);
  EXPECT_EQ(strips.SetName({true, 3}, "ZONE"), NameResult::Stored);
  EXPECT_EQ(strips.SetName({false, 16}, "FX"), NameResult::Stored);  // no wire channel: not sent
  EXPECT_EQ(commands.calls, (std::vector<std::string>{"V1", "V2", "V16"}));
}

TEST_F(StripControllerTest, MeterClipsForDisplayAndActiveFollowsTheGate) {
  const std::pair<int, int> cases[] = {{5, 0}, {8, 0}, {9, 9}, {60, 60}, {70, 70}, {80, 70}, {-3, 0}};
  for (auto [raw, shown] : cases) EXPECT_EQ(CStripController::MeterDisplay(raw), shown) << raw;
  state.out[6].meter = 44;
  EXPECT_EQ(strips.MeterOf({true, 6}), 44);

  EXPECT_FALSE(strips.Active({false, 2}));
  state.in[2].gateOpen = 1;
  EXPECT_TRUE(strips.Active({false, 2}));
  state.in[2].gateOpen = 0;
  state.in[2].lastHeld = 1;
  EXPECT_TRUE(strips.Active({false, 2}));
  state.in[9].gateOpen = 1;
  EXPECT_FALSE(strips.Active({false, 9})) << "only inputs 1-8 have the automatic mixer";
}

TEST_F(StripControllerTest, BadStripIsIgnored) {
  EXPECT_FALSE(strips.FaderMoved({false, 18}, 3));
  EXPECT_FALSE(strips.MutePressed({true, 8}));
  EXPECT_FALSE(strips.FaderMoved({false, -1}, 3));
  EXPECT_EQ(CStripController::WireChannel({true, 8}), 0);
}

}  // namespace
}  // namespace orvx
