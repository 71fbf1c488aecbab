#pragma once
/// The drop-down selector's arithmetic: where its list opens and how high, which row a
/// requested index really selects, and the wheel accumulator. Pure.

#include <QRect>

namespace orvx {

struct DropListLayout {
  /// List height for `rows` rows of `rowHeight`: min(rows x rowHeight, maxHeight) + 1, or
  /// maxHeight when the list is empty, plus the list's own frame (`frame` pixels on each side)
  /// so that rows which fit are all shown without a scroll bar.
  static int ListHeight(int rows, int rowHeight, int maxHeight, int frame = 0);
  /// List rectangle under a face (same coordinates): top one pixel above the face's bottom
  /// edge, same left and width.
  static QRect ListRect(const QRect& face, int rows, int rowHeight, int maxHeight, int frame = 0);
  /// Where a list `height` high really opens on `screen`: below the face when it fits there;
  /// otherwise above it (its bottom one pixel below the face's top edge) when it fits there;
  /// otherwise on the roomier side, shortened to the room. Kept inside the screen sideways.
  static QRect PlaceList(const QRect& face, int height, const QRect& screen);
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
