#pragma once
/// How the main link and the device search let go of the port before an update's socket takes it,
/// in the order and with the pauses the processor needs, as data: the session carries the steps
/// out, tests read them.

#include <vector>

#include "device/FirmwareUpdate.h"

namespace orvx {

enum class ReleaseAction {
  StopReports,       ///< "%Q" 00 to the processor on the link
  MarkDisconnected,  ///< the link counts as closed: CONNECT, "OFFLINE"; an attempt is abandoned
  StopSearch,        ///< the search listener ends
  StopReceiving,     ///< the link's receive thread ends (after what was queued before it)
};

struct ReleaseStep {
  ReleaseAction action;
  int pauseAfterMs = 0;
  bool operator==(const ReleaseStep&) const = default;
};

/// What the link is doing when the update starts.
struct LinkActivity {
  bool connected = false;  ///< online
  bool searching = false;  ///< the search listener holds the port
  bool receiving = false;  ///< the receive thread runs (also while a connection is being tried)
};

/// The local update: connected, "%Q" 00 in three pairs 200 ms apart and the link marked closed;
/// the search stopped and 500 ms; a running receive thread told "%Q" 00 twice, 100 ms apart,
/// stopped and 500 ms. The remote update: connected, "%Q" 00 once, the receive thread stopped, the
/// link marked closed and 1,000 ms; the search stopped and 500 ms; a receive thread that still runs
/// without a connection (an attempt) stopped and 500 ms, so the update's socket finds the port free.
std::vector<ReleaseStep> UpdatePortRelease(UpdateKind kind, const LinkActivity& link);

/// The whole release's pauses.
int ReleasePauseMs(const std::vector<ReleaseStep>& steps);

}  // namespace orvx
