#include "session/PresetValues.h"

#include "dsp/PresetCodec.h"
#include "session/ParamTable.h"

namespace orvx {
namespace {

/// Calls fn with the address of every number the parameter table knows. The blocks are defined on
/// the records, not on parameters, so the values a block touches are found by looking at them all.
template <typename Fn>
void ForEachNumber(Fn&& fn) {
  for (const ParamDef& def : AllParams()) {
    if (def.display.kind == DisplayKind::Text) continue;
    for (const ParamAddr& a : AddressesOf(def)) fn(a);
  }
}

}  // namespace

std::string PresetBlockOf(PresetKind kind, const CDeviceState& state, int record) {
  CDeviceState clamped = state;
  ForEachNumber([&](const ParamAddr& a) { WriteParam(clamped, a, ClampParam(a, ReadParam(clamped, a))); });
  return EncodePreset(kind, clamped, record);
}

std::vector<ParamAddr> PresetAddressesOf(PresetKind kind, int record) {
  // A value belongs to the block when changing it changes the block.
  CDeviceState probe;
  const std::string block = EncodePreset(kind, probe, record);
  std::vector<ParamAddr> held;
  if (block.empty()) return held;
  ForEachNumber([&](const ParamAddr& a) {
    const ParamValue was = ReadParam(probe, a);
    WriteParam(probe, a, {was.raw + 1, {}});
    if (EncodePreset(kind, probe, record) != block) held.push_back(a);
    WriteParam(probe, a, was);
  });
  return held;
}

std::optional<std::vector<ParamWrite>> PresetWritesOf(PresetKind kind, std::string_view block,
                                                      const CDeviceState& state, int record) {
  CDeviceState recalled = state;
  if (!DecodePreset(kind, block, recalled, record)) return std::nullopt;
  std::vector<ParamWrite> writes;
  ForEachNumber([&](const ParamAddr& a) {
    ParamValue value = ReadParam(recalled, a);
    if (value != ReadParam(state, a)) writes.push_back({a, ClampParam(a, std::move(value))});
  });
  return writes;
}

}  // namespace orvx
