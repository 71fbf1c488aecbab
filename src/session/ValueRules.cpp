#include "session/ValueRules.h"

#include <algorithm>

#include "device/ConferenceUnits.h"
#include "session/ChangePath.h"

namespace orvx {
namespace {

/// The value `addr` will hold once `writes` are applied.
std::int32_t ValueAfter(const CDeviceState& state, const std::vector<ParamWrite>& writes, const ParamAddr& addr) {
  for (auto it = writes.rbegin(); it != writes.rend(); ++it) {
    if (it->addr == addr) return it->value.raw;
  }
  return ReadParam(state, addr).raw;
}

/// True when another address of `others` holds `value` after the writes.
bool HeldElsewhere(const CDeviceState& state, const std::vector<ParamWrite>& writes, const ParamAddr& self,
                   const std::vector<ParamAddr>& others, std::int32_t value) {
  return std::any_of(others.begin(), others.end(),
                     [&](const ParamAddr& a) { return !(a == self) && ValueAfter(state, writes, a) == value; });
}

/// Every record with a source list: the inputs and the delay and reverb returns.
std::vector<ParamAddr> SourceLists() {
  std::vector<ParamAddr> out;
  for (int r = 0; r < kInputRecords; ++r) out.push_back({ParamId::InSource, r, 0});
  return out;
}

std::vector<ParamAddr> UnitSlots() {
  std::vector<ParamAddr> out;
  for (int u = 0; u < kUnits; ++u) {
    for (int s = 0; s < kUnitSlotBytes; ++s) out.push_back({ParamId::UnitSlot, u, s});
  }
  return out;
}

}  // namespace

const Caption* RuleConflict(const CDeviceState& state, const std::vector<ParamWrite>& writes) {
  static const std::vector<ParamAddr> kSourceLists = SourceLists();
  static const std::vector<ParamAddr> kUnitSlots = UnitSlots();
  for (const ParamWrite& w : writes) {
    const std::int32_t v = w.value.raw;
    if (w.addr.id == ParamId::InSource && v >= 1 && v <= 4 && HeldElsewhere(state, writes, w.addr, kSourceLists, v))
      return &captions::kDanteSourceTaken;
    if (w.addr.id == ParamId::UnitSlot && v != 0 && HeldElsewhere(state, writes, w.addr, kUnitSlots, v))
      return &captions::kAlreadySelect;
  }
  return nullptr;
}

}  // namespace orvx
