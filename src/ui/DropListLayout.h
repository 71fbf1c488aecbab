#pragma once
/// The drop-down selector's arithmetic: where its list opens and how high, which row a
/// requested index really selects, and the wheel accumulator. Pure.

#include <QRect>

namespace orvx {

struct DropListLayout {
  /// List height for `rows` rows of `rowHeight`: min(rows x rowHeight, maxHeight) + 1, or
  /// maxHeight when the list is empty.
  static int ListHeight(int rows, int rowHeight, int maxHeight);
  /// List rectangle under a face (same coordinates): top one pixel above the face's bottom
  /// edge, same left and width.
  static QRect ListRect(const QRect& face, int rows, int rowHeight, int maxHeight);
  /// `row` kept within 0 .. count - 1 (-1 when there are no rows).
  static int ClampRow(int row, int count);
};

/// Sums wheel deltas within -120 .. 120; a full notch yields a step and starts again.
class WheelAccumulator {
public:
  /// Adds `delta` (positive: away from the user). Returns +1 for the next row (a notch
  /// towards the user), -1 for the previous row, 0 while less than a notch has gathered.
  int Add(int delta);
  int Pending() const { return m_sum; }
  void Reset() { m_sum = 0; }

  static constexpr int kNotch = 120;

private:
  int m_sum = 0;
};

}  // namespace orvx
