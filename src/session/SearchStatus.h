#pragma once
/// What the SYSTEM page shows of a device search: where it is, what it found, and why it failed.

#include <vector>

#include "device/DeviceSearch.h"

namespace orvx {

enum class SearchPhase {
  Idle,         ///< no search since the start, or stopped (CONNECT, program end)
  FreeingPort,  ///< the link is giving up the port; the search starts once it has
  Probing,      ///< probes going out; the listener collects answers
  Listening,    ///< the probe has ended; late answers are still collected
  Failed,       ///< it could not start (see `failure`)
};

struct SearchStatus {
  SearchPhase phase = SearchPhase::Idle;
  SearchProgress progress;
  std::vector<FoundDevice> found;
  SearchFacts facts;
  int answers = 0;  ///< valid answers heard, repeats included
  BilingualText failure;
  /// The probe ended and nobody answered: the page explains what was probed.
  bool Missed() const { return phase == SearchPhase::Listening && found.empty(); }
};

}  // namespace orvx
