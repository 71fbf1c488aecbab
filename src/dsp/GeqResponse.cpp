#include "dsp/GeqResponse.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvx {

namespace {
constexpr double kSampleRate = 48000.0;
/// A third-octave band: Q = sqrt(2^(1/3)) / (2^(1/3) - 1).
constexpr double kBandQ = 4.318;
constexpr double kLowHz = 20.0;
constexpr double kHighHz = 20000.0;

/// Magnitude in dB at `hz` of one peaking biquad (centre `f0`, gain `db`).
double PeakingDb(double f0, double db, double hz) {
  if (db == 0.0) return 0.0;
  const double a = std::pow(10.0, db / 40.0);
  const double w0 = 2.0 * std::numbers::pi * f0 / kSampleRate;
  const double alpha = std::sin(w0) / (2.0 * kBandQ);
  const double c = std::cos(w0);
  const double b0 = 1 + alpha * a, b1 = -2 * c, b2 = 1 - alpha * a;
  const double a0 = 1 + alpha / a, a1 = -2 * c, a2 = 1 - alpha / a;
  const double w = 2.0 * std::numbers::pi * hz / kSampleRate;
  // |B(e^jw)|^2 / |A(e^jw)|^2 with e^-jw and e^-2jw written out.
  auto power = [&](double p0, double p1, double p2) {
    const double re = p0 + p1 * std::cos(w) + p2 * std::cos(2 * w);
    const double im = -p1 * std::sin(w) - p2 * std::sin(2 * w);
    return re * re + im * im;
  };
  return 10.0 * std::log10(power(b0, b1, b2) / power(a0, a1, a2));
}
}  // namespace

const std::array<double, kGeqBandCount>& GeqCentreHz() {
  static const std::array<double, kGeqBandCount> kHz = {
      20,  25,   31.5, 40,   50,   63,   80,   100,  125,  160,  200,  250,   315,   400,   500,  630,
      800, 1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};
  return kHz;
}

double GeqResponseDb(const std::array<double, kGeqBandCount>& gainsDb, double hz) {
  double sum = 0.0;
  for (int b = 0; b < kGeqBandCount; ++b) sum += PeakingDb(GeqCentreHz()[b], gainsDb[b], hz);
  return sum;
}

std::vector<double> GeqCurveHz(int points) {
  points = std::max(points, 2);
  std::vector<double> hz(points);
  const double span = std::log10(kHighHz / kLowHz);
  for (int i = 0; i < points; ++i) hz[i] = kLowHz * std::pow(10.0, span * i / (points - 1));
  return hz;
}

std::vector<double> GeqCurve(const std::array<double, kGeqBandCount>& gainsDb, int points) {
  std::vector<double> curve = GeqCurveHz(points);
  for (double& value : curve) value = GeqResponseDb(gainsDb, value);
  return curve;
}

}  // namespace orvx
