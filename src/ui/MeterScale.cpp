#include "ui/MeterScale.h"

#include <algorithm>
#include <cmath>

namespace orvx {

ColumnSpan MeterScale::Column(int left, int right, int g, int n) {
  if (n <= 0) {
    return {left, left};
  }
  const int width = right - left;
  return {left + width * g / n + 1, left + width * (g + 1) / n - 1};
}

double MeterScale::ClampValue(double value, double minimum, double maximum) {
  if (!(maximum > minimum) || std::isnan(value)) {
    return minimum;
  }
  return std::clamp(value, minimum, maximum);
}

int MeterScale::LitHeight(int height, double value, double minimum, double maximum) {
  if (!(maximum > minimum) || height <= 0) {
    return 0;
  }
  const double v = ClampValue(value, minimum, maximum);
  return static_cast<int>(std::trunc(height * (v - minimum) / (maximum - minimum)));
}

int MeterScale::Zone(int fromBottom, int height, double threshold2, double threshold3) {
  if (height <= 0) {
    return 1;
  }
  const double relative = static_cast<double>(fromBottom) / height;
  if (relative >= threshold3) {
    return 3;
  }
  return relative >= threshold2 ? 2 : 1;
}

int MeterScale::TickY(int bottom, int height, int i) { return bottom - (i * height) / 6; }

QString MeterScale::TickLabel(double minimum, double maximum, int i) {
  return QString::asprintf("%.0f", minimum + (maximum - minimum) * i / 6 - 60);
}

}  // namespace orvx
