#pragma once
/// The parametric EQ's curve as the operator drags it: six points (bands 1..4, the high-pass and
/// the low-pass corner) and the values a dragged point writes.

#include <array>
#include <vector>

#include "core/DeviceState.h"
#include "dsp/EqResponse.h"
#include "session/ChangePath.h"

namespace orvx {

constexpr int kCurvePoints = 6;
constexpr int kHighPassPoint = 4;
constexpr int kLowPassPoint = 5;

struct CurvePoint {
  double freq = 1000;  ///< Hz, where the point is drawn
  double gainDb = 0;
  bool shown = false;  ///< the pass filters' corners only on inputs 1..8, whose filters are drawn
};

/// Where the points stand: a peaking band at the grid frequency it is drawn at, a shelf at its own
/// frequency, a corner on the summed curve.
std::array<CurvePoint, kCurvePoints> CurvePoints(const InputChannel& channel, int record, const eq::Response& summed);

/// The values a point dragged to (freqHz, gainDb) writes: a band its frequency and gain, a corner
/// its frequency. The frequency is rounded and held in 20..20000 Hz, the gain rounded to tenths of
/// a dB and held in -15..+15 dB (then on the step the wire carries).
std::vector<ParamWrite> CurvePointWrites(int record, int point, double freqHz, double gainDb);

/// The gain a graphic EQ band dragged to `gainDb` writes: tenths of a dB held in -15..+15 dB, on
/// the step the wire carries.
ParamWrite GeqBandWrite(int record, int band, double gainDb);

}  // namespace orvx
