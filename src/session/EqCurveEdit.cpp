#include "session/EqCurveEdit.h"

#include <algorithm>
#include <cmath>

namespace orvx {
namespace {

constexpr double kMinFreq = 20;
constexpr double kMaxFreq = 20000;
constexpr int kBandPoints = 4;

}  // namespace

std::array<CurvePoint, kCurvePoints> CurvePoints(const InputChannel& channel, int record, const eq::Response& summed) {
  std::array<CurvePoint, kCurvePoints> points{};
  const auto& grid = eq::Grid();
  for (int b = 0; b < kBandPoints; ++b) {
    const PeqBand& band = channel.peq[b];
    CurvePoint& p = points[static_cast<std::size_t>(b)];
    p.freq = band.type == 0 ? grid[static_cast<std::size_t>(eq::NearestGridIndex(band.freq))] : band.freq;
    p.gainDb = (band.gain - 150) * 0.1;
    p.shown = true;
  }
  const bool filtersDrawn = record >= 0 && record < kAutomixInputs;
  for (const auto& [point, freq] : {std::pair{kHighPassPoint, channel.hpfFreq}, std::pair{kLowPassPoint, channel.lpfFreq}}) {
    CurvePoint& p = points[static_cast<std::size_t>(point)];
    p.freq = std::clamp<double>(freq, kMinFreq, kMaxFreq);
    p.gainDb = summed[static_cast<std::size_t>(eq::NearestGridIndex(p.freq))];
    p.shown = filtersDrawn;
  }
  return points;
}

namespace {

/// Tenths of a dB above -15 dB: the raw gain of an EQ (150 = 0 dB), on the step that travels.
ParamValue EqGain(const ParamAddr& gain, double gainDb) {
  const double db = std::isfinite(gainDb) ? std::clamp(gainDb, -15.0, 15.0) : 0.0;
  return ClampParam(gain, {static_cast<std::int32_t>(std::lround(db * 10)) + 150, {}});
}

}  // namespace

ParamWrite GeqBandWrite(int record, int band, double gainDb) {
  const ParamAddr gain{ParamId::OutGeqGain, record, band};
  return {gain, EqGain(gain, gainDb)};
}

std::vector<ParamWrite> CurvePointWrites(int record, int point, double freqHz, double gainDb) {
  if (!std::isfinite(freqHz) || !std::isfinite(gainDb) || point < 0 || point >= kCurvePoints) return {};
  const auto hz = static_cast<std::int32_t>(std::lround(std::clamp(freqHz, kMinFreq, kMaxFreq)));
  if (point == kHighPassPoint) return {{{ParamId::InHpfFreq, record, 0}, {hz, {}}}};
  if (point == kLowPassPoint) return {{{ParamId::InLpfFreq, record, 0}, {hz, {}}}};
  const ParamAddr gain{ParamId::InPeqGain, record, point};
  return {{{ParamId::InPeqFreq, record, point}, {hz, {}}}, {gain, EqGain(gain, gainDb)}};
}

}  // namespace orvx
