#pragma once
/// Rules of the automatic-mixer page: the linked threshold (SYNC) and the floors of received
/// values. The page's lists call these; nothing here knows a widget.

#include "core/DeviceState.h"
#include "session/ChangePath.h"

namespace orvx {

inline constexpr int kSyncPauseMs = 20;
/// The pause when the change came from the last channel's list.
inline constexpr int kSyncLastChannelPauseMs = 10;

/// With SYNC on, a threshold chosen for channel `record` (0..7) sets all eight channels as one
/// change and sends "%L" for that channel, then for channels 1..8 each followed by its pause (so
/// that channel goes twice). Offline the state changes and nothing is sent.
PlanRequest SyncedThresholdPlan(int record, std::int32_t raw);

/// A threshold chosen in channel `record`'s list: all eight with SYNC on, otherwise just that one.
ChangeResult ChangeThreshold(CChangePath& changes, const CDeviceState& s, int record, std::int32_t raw);

}  // namespace orvx
