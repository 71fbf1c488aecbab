#pragma once
/// Control groups: a group holds inputs or outputs, never both, and counts its members. The
/// GROUP page asks here what a member button does; the answer is one change (flag and count
/// together, one undo step) or a refusal.

#include <optional>

#include "core/DeviceState.h"
#include "session/ChangePath.h"

namespace orvx {

enum class GroupSide { None, Inputs, Outputs };

/// Which kind of members control group `group` (0..3) holds now.
GroupSide ControlGroupSide(const CDeviceState& s, int group);

/// The change a member button of control group `group` makes: the member's flag inverted and the
/// member count moved by one. Refused (nullopt) while the group holds the other kind: for an
/// input any output counts, for an output any input (1..16 and both effect returns).
std::optional<ChangeRequest> ControlMemberToggle(const CDeviceState& s, int group, bool output, int record);

/// The words of the function switch block, each switching one item's link on.
enum GroupSwitchWord : int {
  kSwitchVol = 0,
  kSwitchEq = 3,
  kSwitchComp = 4,
  kSwitchLimit = 5,
  kSwitchGain = 7,
  kSwitchPriority = 8,
  kSwitchPhantom = 9,
  kSwitchSource = 10,
  kSwitchLine = 11,
  kSwitchFbk = 12,
  kSwitchDelay = 13,
};

/// Function switches: caption, the word of the switch block, and the kinds of group offering it.
struct GroupSwitch {
  Caption caption;
  int word;
  bool forInputs;
  bool forOutputs;
};
inline constexpr GroupSwitch kGroupSwitches[] = {
    {{"EQ", "均衡"}, kSwitchEq, true, true},          {{"COMP", "压缩器"}, kSwitchComp, true, false},
    {{"LIMIT", "限幅器"}, kSwitchLimit, false, true}, {{"VOL", "音量"}, kSwitchVol, true, true},
    {{"GAIN", "增益"}, kSwitchGain, true, false},     {{"PRIORITY", "优先"}, kSwitchPriority, true, false},
    {{"SOURCE", "输入源"}, kSwitchSource, false, false}, {{"48V", "48V"}, kSwitchPhantom, true, false},
    {{"LINE", "LINE"}, kSwitchLine, false, true},     {{"FBK", "FBK"}, kSwitchFbk, false, true},
    {{"Delay", "Delay"}, kSwitchDelay, false, true},
};

/// True when switch `s` is offered for a group showing `side` (every switch while it has none).
bool SwitchOffered(const GroupSwitch& s, GroupSide side);

/// The main window's C GROUPS key of control group `group` (0..3): switches the group's link on
/// when it is off and off when it is on, as one change (see LinkedChannels.h for what it links).
ChangeRequest ControlGroupKeyChange(const CDeviceState& s, int group);

/// The group name as the operator typed it, as one change (cut to the field's 15 bytes).
ChangeRequest ControlGroupNameChange(int group, std::string_view utf8);

}  // namespace orvx
