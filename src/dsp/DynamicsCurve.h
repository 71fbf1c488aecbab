#pragma once
/// The compressor's and limiter's static curves: the transfer line the editors draw and the output
/// their IN and GR meters are computed from. Levels in dB, 0 dB full scale.

namespace orvx::dyn {

/// The drawn transfer line: the input below the threshold, then 1/ratio above it.
double TransferOutput(double inputDb, double thresholdDb, double ratio);

/// The output the meters use for an input of x dB (threshold T dB, ratio R, make-up gain G dB),
/// held at 0 dB full scale: with S = T + G above 0 the input plus G up to T and 0 beyond; else with
/// K = T (1 - 1/R) + G: 0 when K < -60; otherwise the input plus G up to T, and K + x/R above it
/// until that reaches full scale (x > 0 when K <= 0, x > -K R when K > 0), 0 past it.
double StaticOutput(double x, double thresholdDb, double ratio, double gainDb);

/// The meters of a dynamics editor from a level 0..60 (60 = 0 dB; more counts as 60).
struct DynamicsMeters {
  double in = 0;  ///< the level
  double gr = 0;  ///< 60 + output - level
};
DynamicsMeters MetersOf(int level, double thresholdDb, double ratio, double gainDb);

}  // namespace orvx::dyn
