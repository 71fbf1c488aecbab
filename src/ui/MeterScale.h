#pragma once
/// The level meter's arithmetic: column spans, lit height, LED zone of a row, scale ticks and
/// their labels. Pure; `CLevelGraph` only paints what these say.

#include <QString>

namespace orvx {

/// Horizontal extent of one column, both ends inclusive.
struct ColumnSpan {
  int left = 0;
  int right = 0;
};

struct MeterScale {
  /// Column `g` of `n` across [left, right]: one pixel of gap at each side.
  static ColumnSpan Column(int left, int right, int g, int n);
  /// Value kept within [minimum, maximum] (a reversed or empty range yields minimum).
  static double ClampValue(double value, double minimum, double maximum);
  /// Lit pixels of a bar `height` high showing `value`.
  static int LitHeight(int height, double value, double minimum, double maximum);
  /// Zone 1, 2 or 3 of a row whose lower edge sits `fromBottom` pixels above the column bottom.
  static int Zone(int fromBottom, int height, double threshold2, double threshold3);
  /// y of scale tick `i` (0..6) of a column from `bottom` upwards, `height` high.
  static int TickY(int bottom, int height, int i);
  /// "%.0f" label of tick `i`: minimum + (maximum - minimum) * i / 6 - 60.
  static QString TickLabel(double minimum, double maximum, int i);

  static constexpr int kTicks = 7;
  static constexpr int kRowHeight = 2;
};

}  // namespace orvx
