#pragma once
/// The processor's reports, built from its state: the exact inverse of the editor's report parser.
/// Every builder returns a complete frame (checksum and "#" included).

#include "core/DeviceState.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvx {

/// One level report's content: meters of inputs 1..12 and outputs 1..8, the automatic mixer's gate
/// bits of inputs 1..8 and the input (1..8, or 0) that LAST HOLD keeps open.
struct MeterSnapshot {
  std::array<std::uint8_t, kWireInputs> in{};
  std::array<std::uint8_t, kOutputRecords> out{};
  std::uint8_t gateMask = 0;
  std::uint8_t lastHeld = 0;
};

/// "Z": the full state, ending with the firmware version text.
std::string BuildZReport(const CDeviceState& state, std::string_view firmwareVersion);
/// "Y": conference-unit slots, the 20 channel names as UTF-16 code units, the unit count.
std::string BuildYReport(const CDeviceState& state);
/// "Q": "%Q,01," + 44 hex digits (22 bytes) + ",".
std::string BuildQReport(const MeterSnapshot& meters);
/// "P": output levels, output mutes, output line levels, input levels 1..12, unit count.
std::string BuildPReport(const CDeviceState& state);

}  // namespace orvx
