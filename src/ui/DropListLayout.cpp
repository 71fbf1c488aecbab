#include "ui/DropListLayout.h"

#include <algorithm>

namespace orvx {

int DropListLayout::ListHeight(int rows, int rowHeight, int maxHeight) {
  if (rows <= 0) {
    return maxHeight;
  }
  return std::min(rows * rowHeight, maxHeight) + 1;
}

QRect DropListLayout::ListRect(const QRect& face, int rows, int rowHeight, int maxHeight) {
  // QRect::bottom() is the last pixel row, so the face's bottom edge is bottom() + 1.
  return QRect(face.left(), face.bottom(), face.width(), ListHeight(rows, rowHeight, maxHeight));
}

int DropListLayout::ClampRow(int row, int count) {
  if (count <= 0) {
    return -1;
  }
  return std::clamp(row, 0, count - 1);
}

int WheelAccumulator::Add(int delta) {
  m_sum = std::clamp(m_sum + delta, -kNotch, kNotch);
  if (m_sum == -kNotch) {
    m_sum = 0;
    return 1;
  }
  if (m_sum == kNotch) {
    m_sum = 0;
    return -1;
  }
  return 0;
}

}  // namespace orvx
