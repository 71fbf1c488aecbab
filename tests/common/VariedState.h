#pragma once
// For the scene tests above the device layer: every value of the parameter table moved.

#include "common/SceneTestSupport.h"
#include "session/ParamTable.h"

namespace orvx::scenetest {

/// Every numeric value of the table set to a value of its own (derived from its address, passed
/// through its parameter's rule), over EditedState's names.
inline CDeviceState VariedState() {
  CDeviceState s = EditedState();
  for (const ParamDef& d : AllParams()) {
    if (d.display.kind == DisplayKind::Text) continue;
    for (const ParamAddr& a : AddressesOf(d)) {
      const std::int32_t span = RawMaxFor(d, a.record) - d.rawMin + 1;
      const std::int32_t raw = d.rawMin + (a.record * 7 + a.index * 3 + static_cast<int>(a.id)) % span;
      WriteParam(s, a, ClampParam(a, {raw, {}}));
    }
  }
  return s;
}

}  // namespace orvx::scenetest
