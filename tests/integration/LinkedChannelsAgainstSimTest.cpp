// Linked channels against the simulator: with VOL and EQ switched on in a control group that is on,
// a fader drag and an EQ change made on one member reach the processor for every member, and one
// undo of each puts every member back there too.

#include "SimSessionFixture.h"

#include "session/ControlGroups.h"
#include "session/ParamReport.h"

#include <array>
#include <utility>

namespace orvx {
namespace {

class LinkedChannelsAgainstSim : public SimSessionFixture {
protected:
  LinkedChannelsAgainstSim() {
    simIp = "127.0.0.218";
    editorIp = "127.0.0.219";
  }

  CChangePath& Changes() { return m_session->Changes(); }
  /// Moves the fake clock on by one step of the session (the pace of a drag counts in it).
  void Step(int ms) {
    bool stepped = false;
    Drive([&] { return std::exchange(stepped, true); }, ms, 0);
  }

  /// True once the processor holds, for inputs 1, 2, 3 and 4, these levels and band 2 gains.
  bool ProcessorHolds(const std::array<int, 4>& levels, const std::array<int, 4>& gains) {
    return sim->WaitFor(
        [&] {
          const CDeviceState held = sim->StateSnapshot();
          for (int r = 0; r < 4; ++r) {
            const ParamAddr gain{ParamId::InPeqGain, r, 1};
            if (held.in[r].level != levels[r] || ReadParam(held, gain) != AfterWire(gain, {gains[r], {}})) return false;
          }
          return true;
        },
        kRealDeadlineMs);
  }
};

TEST_F(LinkedChannelsAgainstSim, ADragAndAnEqChangeOnOneMemberMoveEveryMemberAndUndoPutsThemBack) {
  StartSim({});
  StartSession();
  ASSERT_TRUE(ConnectAfterQueries(1));
  // Inputs 1, 2 and 4 at their own levels; input 3 is no member.
  const int levels[4] = {40, 50, 35, 30};
  for (int r = 0; r < 4; ++r) ASSERT_EQ(Changes().Set({ParamId::InLevel, r, 0}, {levels[r], {}}), ChangeResult::Applied);
  // CONTROL 1 holds them with VOL and EQ switched on, then its key switches it on.
  for (int r : {0, 1, 3}) ASSERT_EQ(Changes().Apply(*ControlMemberToggle(Editor(), 0, false, r)), ChangeResult::Applied);
  for (int word : {kSwitchVol, kSwitchEq})
    ASSERT_EQ(Changes().Set({ParamId::ControlGroupSwitch, 0, word}, {1, {}}), ChangeResult::Applied);
  ASSERT_EQ(Changes().Apply(ControlGroupKeyChange(Editor(), 0)), ChangeResult::Applied);
  ASSERT_TRUE(ProcessorHolds({40, 50, 35, 30}, {150, 150, 150, 150}));

  // Input 2's fader dragged up by 15 (fake time moving, so paced frames leave on the way), then released.
  const std::uint64_t gesture = Changes().NewGesture();
  for (int level = 51; level <= 65; ++level) {
    Changes().Set({ParamId::InLevel, 1, 0}, {level, {}}, ChangeOrigin::Drag, gesture);
    Step(20);
  }
  Changes().Set({ParamId::InLevel, 1, 0}, {65, {}}, ChangeOrigin::Control, gesture);
  EXPECT_TRUE(ProcessorHolds({55, 65, 35, 45}, {150, 150, 150, 150})) << "every member up by 15, input 3 left";

  // Band 2 of input 4 to +5 dB: copied to inputs 1 and 2.
  ASSERT_EQ(Changes().Set({ParamId::InPeqGain, 3, 1}, {200, {}}), ChangeResult::Applied);
  EXPECT_TRUE(ProcessorHolds({55, 65, 35, 45}, {200, 200, 150, 200}));

  ASSERT_TRUE(Changes().Undo());
  EXPECT_TRUE(ProcessorHolds({55, 65, 35, 45}, {150, 150, 150, 150})) << "one undo: every member's band";
  ASSERT_TRUE(Changes().Undo());
  EXPECT_TRUE(ProcessorHolds({40, 50, 35, 30}, {150, 150, 150, 150})) << "one undo: the whole drag, every member";
}

}  // namespace
}  // namespace orvx
