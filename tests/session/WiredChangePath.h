#pragma once
/// The change path of session tests: the real path and send queue over a recording wire on a fake
/// clock, the state at its start-up values and online (no datagram leaves the process).

#include "session/RecordingWire.h"

#include "link/SendQueue.h"
#include "session/ChangePath.h"

namespace orvx::test {

struct WiredChangePath {
  explicit WiredChangePath(const char* deviceIp) {
    state.ResetToDefaults();
    state.link.online = true;
    state.link.deviceIp = deviceIp;
  }

  FakeClock clock;
  RecordingWire wire{clock};
  CSendQueue queue{wire, wire, clock};
  CDeviceState state;
  BlankGlyphs glyphs;
  CChangePath path{state, queue, [this]() -> IGlyphRenderer& { return glyphs; }};
};

}  // namespace orvx::test
