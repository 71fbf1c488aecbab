#pragma once
/// Which strips the mixer overview shows for the side panel's choice, read from the device
/// state's group records. The window places them; this decides them.

#include <vector>

#include "core/DeviceState.h"
#include "session/SidePanelModel.h"

namespace orvx {

struct OverviewStrips {
  std::vector<int> inputs;  ///< input records in channel order, every member (the window shows the first 8)
  int output = -1;          ///< output record of the bus, -1 for none
  bool operator==(const OverviewStrips&) const = default;
};

/// Input strips that fit left of the bus's output strip (at 8W + 16).
inline constexpr int kOverviewInputSlots = 8;

/// The strips of an overview mode (empty for None and Phantom: those show no overview).
OverviewStrips OverviewFor(const CDeviceState& s, const OverviewChoice& choice);
/// Output record of a bus (1 = LR -> output 1, 3..8 = AUX 1..6 -> outputs 3..8), -1 for none.
int OutputOfBus(int bus);

}  // namespace orvx
