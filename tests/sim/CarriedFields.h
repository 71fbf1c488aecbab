#pragma once
/// Every value the processor's "Z", "Y" and "P" reports carry, as one comparable list: two states
/// that agree on it show the same thing on every page.

#include "core/DeviceState.h"

#include <cstdint>
#include <vector>

namespace orvx {

inline std::vector<std::int64_t> Carried(const CDeviceState& s) {
  std::vector<std::int64_t> v;
  auto add = [&](std::initializer_list<std::int64_t> xs) { v.insert(v.end(), xs); };
  for (int i = 0; i < kFilterInputs; ++i) {
    const InputChannel& c = s.in[i];
    v.insert(v.end(), std::begin(c.comp), std::end(c.comp));
    add({c.lpfOn, c.lpfFreq, c.lpfSlope, c.hpfOn, c.hpfFreq, c.hpfSlope});
  }
  for (int i = 0; i < kWireInputs; ++i) {
    const InputChannel& c = s.in[i];
    add({c.level, c.mute, c.peqOn, c.source, c.threshold, c.priority, c.preampGain, c.phantom});
    for (int b = 0; b < 4; ++b) add({c.peq[b].freq, c.peq[b].gain, c.peq[b].q, c.peq[b].type});
    v.insert(v.end(), std::begin(c.route), std::end(c.route));
    const std::string n = NameBytes(c.shortName);
    v.insert(v.end(), n.begin(), n.end());
  }
  for (const OutputChannel& o : s.out) {
    add({o.level, o.mute, o.geqOn, o.lineLevel, o.outSettingJ, o.outSettingK});
    v.insert(v.end(), std::begin(o.limiter), std::end(o.limiter));
    for (const GeqBand& b : o.geq) v.push_back(b.gain);
    const std::string n = NameBytes(o.shortName);
    v.insert(v.end(), n.begin(), n.end());
  }
  v.insert(v.end(), std::begin(s.automix), std::end(s.automix));
  v.insert(v.end(), std::begin(s.detector), std::end(s.detector));
  for (const auto& unit : s.unitSlots) v.insert(v.end(), std::begin(unit), std::end(unit));
  v.push_back(s.unitCount);
  return v;
}

}  // namespace orvx
