#pragma once
/// Response of the 31-band graphic equaliser: each third-octave band is a peaking filter, and the
/// curve is their sum in dB. Pure arithmetic, so the miniature on the output strip and the editor
/// draw the same curve and tests check it without a window.

#include <array>
#include <cstdint>
#include <vector>

namespace orvx {

inline constexpr int kGeqBandCount = 31;

/// Centre frequencies of the bands, 20 Hz .. 20 kHz.
const std::array<double, kGeqBandCount>& GeqCentreHz();

/// A stored band gain (0..300, 150 = 0 dB) in dB.
inline double GeqGainDb(std::int32_t raw) { return (raw - 150) / 10.0; }

/// Level in dB at `hz` of the equaliser with these band gains.
double GeqResponseDb(const std::array<double, kGeqBandCount>& gainsDb, double hz);

/// `points` frequencies spaced evenly on a log axis from 20 Hz to 20 kHz (at least 2).
std::vector<double> GeqCurveHz(int points);

/// The curve at the frequencies of GeqCurveHz(points).
std::vector<double> GeqCurve(const std::array<double, kGeqBandCount>& gainsDb, int points);

}  // namespace orvx
