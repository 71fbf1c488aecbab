#include "dsp/DynamicsCurve.h"

#include <algorithm>

namespace orvx::dyn {

double TransferOutput(double inputDb, double thresholdDb, double ratio) {
  if (inputDb <= thresholdDb || ratio <= 0) return inputDb;
  return thresholdDb + (inputDb - thresholdDb) / ratio;
}

double StaticOutput(double x, double t, double r, double g) {
  if (t + g > 0) return x <= t ? x + g : 0;
  const double k = t * (1 - 1 / r) + g;
  if (k < -60) return 0;
  if (x <= t) return x + g;
  const double fullScaleAt = k <= 0 ? 0 : -k * r;
  return x > fullScaleAt ? 0 : k + x / r;
}

DynamicsMeters MetersOf(int level, double thresholdDb, double ratio, double gainDb) {
  const int l = std::clamp(level, 0, 60);
  const double out = 60 + StaticOutput(l - 60.0, thresholdDb, ratio, gainDb);
  return {double(l), out - l + 60};
}

}  // namespace orvx::dyn
