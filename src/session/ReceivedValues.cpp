#include "session/ReceivedValues.h"

#include <algorithm>
#include <vector>

#include "session/ParamTable.h"

namespace orvx {
namespace {

/// The numeric addresses of the table, built once (a few thousand).
std::vector<ParamAddr> NumericAddresses() {
  std::vector<ParamAddr> out;
  for (const ParamDef& d : AllParams()) {
    if (d.display.kind == DisplayKind::Text) continue;  // names are cut to their field as they arrive
    const std::vector<ParamAddr> each = AddressesOf(d);
    out.insert(out.end(), each.begin(), each.end());
  }
  return out;
}

}  // namespace

int ClampToTable(CDeviceState& state) {
  static const std::vector<ParamAddr> kAddresses = NumericAddresses();
  int moved = 0;
  for (const ParamAddr& a : kAddresses) {
    const ParamDef& d = Param(a.id);
    const std::int32_t raw = d.get(state, a.record, a.index);
    const std::int32_t clamped = std::clamp(raw, d.rawMin, RawMaxFor(d, a.record));
    if (clamped == raw) continue;
    d.set(state, a.record, a.index, clamped);
    ++moved;
  }
  return moved;
}

}  // namespace orvx
