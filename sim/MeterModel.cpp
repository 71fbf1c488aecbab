#include "MeterModel.h"

#include <algorithm>

namespace orvx {
namespace {

std::uint8_t MeterByte(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

}  // namespace

MeterSnapshot ComputeMeters(const CTalkers::Signals& signals, const GateState& gates, const CDeviceState& s) {
  MeterSnapshot m;
  m.gateMask = gates.openMask;
  m.lastHeld = gates.lastHeld;
  const bool automatic = s.automix[kAutoMan] == 0;
  const int closedAttn = std::clamp(s.automix[kClosedAttn], 0, 60) - 60;  // dB, <= 0

  std::array<int, kOutputRecords> bus;
  bus.fill(-1000);
  for (int i = 0; i < kWireInputs; ++i) {
    const InputChannel& c = s.in[i];
    const int post = c.mute ? 0 : std::max(0, signals[i] + c.level - kLevelZeroDb);
    m.in[i] = MeterByte(post);
    if (c.mute) continue;
    int contribution = post;
    const bool gated = i < kAutomixInputs && automatic;
    const bool passes = ((gates.openMask >> i) & 1) || gates.lastHeld == i + 1;
    if (gated && !passes) contribution += closedAttn;
    for (int k = 0; k < kOutputRecords; ++k)
      if (c.route[k]) bus[k] = std::max(bus[k], contribution);
  }
  for (int k = 0; k < kOutputRecords; ++k) {
    const OutputChannel& o = s.out[k];
    m.out[k] = o.mute ? 0 : MeterByte(bus[k] + o.level - kLevelZeroDb);
  }
  return m;
}

}  // namespace orvx
