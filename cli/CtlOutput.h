#pragma once
/// What orvxctl prints: plain text for people, JSON with stable keys for scripts.

#include "CtlOptions.h"
#include "core/DeviceState.h"

#include <cstddef>
#include <string>

namespace orvx {

/// status: online flag, firmware version, the 20 channel names (UTF-8), conference units.
/// What the link met on the way in: values outside their range (clamped), frames from other hosts
/// or after a stop (dropped), frames lost because the inbox was full.
struct LinkDiagnostics {
  std::size_t clampedValues = 0;
  std::size_t droppedFrames = 0;
  std::size_t lostFrames = 0;
};
std::string FormatStatus(const CDeviceState& s, const std::string& deviceIp, const LinkDiagnostics& link, bool json);

/// get: one value of one channel.
std::string FormatValue(const CDeviceState& s, const CtlOptions& o, bool json);

/// monitor: one line of meters (shown scale 0..70) and ACTIVE/WAITING of inputs 1..8.
std::string FormatMeters(const CDeviceState& s, double elapsedS, bool json);

/// An error as printed on stderr (plain) or as a JSON object on stdout.
std::string FormatError(const std::string& message, int code, bool json);

}  // namespace orvx
