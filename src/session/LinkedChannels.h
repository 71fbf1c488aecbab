#pragma once
/// Linked channels: the members of a control group that is switched on move together. A change to
/// an item the group's function switches link (VOL, EQ, COMP, LIMIT, GAIN, PRIORITY, 48V, LINE,
/// FBK, Delay), made on one member, is made on every other member in the same change and so in the
/// same undo step: VOL moves each member by the same amount (each clamped to its range, so the
/// offsets between them stay), every other item copies the value.
///
/// The members' frames follow the changed member's own, member after member: one frame is followed
/// by 10 ms, so the processor is not flooded; a member taking several frames at once (a whole
/// equaliser: a recall, RESET, BYPASS) has 50 ms after each. The change path applies this rule to
/// every change of the operator, whatever its source, so a control, a typed entry, a script and a
/// plan move the members alike and their undo brings them all back.

#include <vector>

#include "core/DeviceState.h"
#include "session/ChangePath.h"

namespace orvx {

inline constexpr int kLinkedChannelPauseMs = 10;
inline constexpr int kLinkedBlockPauseMs = 50;

/// The control-group switch word that links a parameter (see GroupSwitchWord); -1 when none does.
int LinkSwitchOf(ParamId id);

/// The other records linked with `addr`'s record for its parameter: the members of every control
/// group that is on, holds that record and has the parameter's switch set. Ascending, without the
/// record itself; empty when nothing links it.
std::vector<int> LinkedRecords(const CDeviceState& s, const ParamAddr& addr);

/// What a change makes on the linked members.
struct LinkedChange {
  std::vector<ParamWrite> writes;  ///< the members' values, clamped to their ranges
  std::vector<PlanStep> steps;     ///< the members' frames in order, each with its pause
};

/// The members' side of `writes` (values as asked, before clamping). `gesture` is the undo step of
/// the drag so far, or nullptr: a VOL drag moves each member from where it stood when the drag
/// began, so a member that met the end of its range on the way gets its offset back on the way
/// back. A value the request writes itself is left to the request. With `order` (a plan's own
/// frames), each member's frames go in the order the plan sends its own.
LinkedChange LinkedWrites(const CDeviceState& s, const std::vector<ParamWrite>& writes, const UndoStep* gesture,
                          const std::vector<PlanStep>& order = {});

}  // namespace orvx
