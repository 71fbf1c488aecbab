#pragma once
/// eq-curve REC: the summed parametric EQ response of an input on the editor's 241-point grid, the
/// same numbers its EQ editor draws, computed from the processor's state.

#include "core/DeviceState.h"

#include <string>

namespace orvx {

/// One line per grid point, "FREQUENCY GAIN" (Hz, dB with two decimals), or one JSON document
/// {"record": N, "points": [{"hz": F, "db": G}, ...]} with the values unrounded.
std::string FormatEqCurve(const CDeviceState& s, int record, bool json);

}  // namespace orvx
