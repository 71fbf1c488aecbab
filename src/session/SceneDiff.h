#pragma once
/// What would change between two whole-device states (the editor, the processor, a stored scene,
/// a scene file): every value of the parameter table that differs, grouped by page, channel and
/// parameter, shown in the operator's units and either language.

#include <string>
#include <vector>

#include "core/Captions.h"
#include "core/DeviceState.h"
#include "session/ParamTable.h"

namespace orvx {

namespace captions {
inline constexpr Caption kNoDifferences{"No differences: both hold the same values.", "没有差异：两者的值完全相同。"};
inline constexpr Caption kDifferenceCount{"%d values differ.", "%d 个值不同。"};
inline constexpr Caption kOneDifference{"1 value differs.", "1 个值不同。"};
}  // namespace captions

/// The pages a difference is listed under, in the order they are listed.
enum class DiffPage : int { Channel, Input, Eq, Dynamics, Matrix, Sends, Outputs, Automix, Effects, Groups, Units };

struct ValueDifference {
  ParamAddr addr;
  ParamValue from;
  ParamValue to;
};

/// Which values a comparison looks at.
enum class DiffReach {
  Everything,  ///< every value of the table (scenes hold them all)
  Reported,    ///< only values a report of the processor carries back (what a fresh read can know)
};

/// Every value that differs between `from` and `to`, ordered by page, channel and parameter. With
/// Reported (one side is the processor), two values count as equal when the wire would make them
/// equal (EQ gains travel halved).
std::vector<ValueDifference> DiffStates(const CDeviceState& from, const CDeviceState& to,
                                        DiffReach reach = DiffReach::Everything);

DiffPage PageOf(ParamId id);
const Caption& PageCaption(DiffPage page);
/// The channel a value belongs to: "IN 3 Lectern", "MASTER 1", "CONTROL GROUP 2", "PLK-700-01";
/// empty for device-wide values. The channel's name is taken from `names`.
std::string ChannelLabel(const ParamAddr& a, const CDeviceState& names, Language language);

/// One line of a difference as shown: page, channel, parameter and the two values.
struct DiffRow {
  std::string page;
  std::string channel;
  std::string parameter;
  std::string from;
  std::string to;
};
std::vector<DiffRow> DiffRows(const std::vector<ValueDifference>& diffs, const CDeviceState& names, Language language);

/// The differences as text under two headings (`fromTitle` -> `toTitle`), a page heading and a
/// channel heading before their lines; an identical pair says so.
/// The headline of a list of differences: "No differences: ...", "1 value differs.", "3 values differ.".
std::string DifferenceHeadline(std::size_t count, Language language);

std::string FormatDiff(const std::vector<ValueDifference>& diffs, const CDeviceState& names,
                       const std::string& fromTitle, const std::string& toTitle, Language language);

}  // namespace orvx
