#pragma once
/// Decodes the processor's reports ("Z", "Y", "Q", "P", "G") into the device state.
///
/// Runs on the owner thread, never on the receive thread, so the state has exactly one writer.

#include <cstdint>
#include <string_view>

#include "core/DeviceState.h"
#include "link/ReportEffects.h"

namespace orvx {

/// Processors with an older firmware version are refused.
constexpr int kMinFirmwareVersion = 20;
/// Meters below this show as 0.
constexpr int kMeterFloor = 9;
/// Meters above this show as this (60 is 0 dB).
constexpr int kMeterCeiling = 70;

/// Decodes one complete frame ("%" ... checksum "#") into `state` and says what it changed.
/// Frames that fail the start, end or checksum test, and unknown letters, change nothing and
/// return kind None. Link fields written here: "Z" clears `connecting` (and refreshes
/// `lastReceiveTime` when the firmware is accepted), "Y" sets `online`, clears `connecting` and
/// refreshes `lastReceiveTime`, "Q" refreshes `lastReceiveTime`; "P" leaves the time alone.
ReportEffects DispatchFrame(std::string_view frame, CDeviceState& state, std::int64_t nowMs);

/// No report will come (DISCONNECT, or the link fell silent): every meter to rest and no input held
/// open by the automatic mixer. Says what changed, as a "Q" report would; its kind is None.
ReportEffects RestMeters(CDeviceState& state);

/// A meter value as a strip shows it: below 9 shows 0, above 70 shows 70.
constexpr int MeterForDisplay(int meter) {
  if (meter < kMeterFloor) return 0;
  return meter > kMeterCeiling ? kMeterCeiling : meter;
}

/// Inputs 1..8: the automatic mixer holds the channel open (strip shows "ACTIVE", else "WAITING").
constexpr bool IsChannelActive(const InputChannel& c) { return c.gateOpen != 0 || c.lastHeld != 0; }

}  // namespace orvx
