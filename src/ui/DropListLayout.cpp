#include "ui/DropListLayout.h"

#include <algorithm>

namespace orvx {

int DropListLayout::ListHeight(int rows, int rowHeight, int maxHeight, int frame) {
  const int content = rows <= 0 ? maxHeight : std::min(rows * rowHeight, maxHeight) + 1;
  return content + 2 * std::max(0, frame);
}

QRect DropListLayout::ListRect(const QRect& face, int rows, int rowHeight, int maxHeight, int frame) {
  // QRect::bottom() is the last pixel row, so the face's bottom edge is bottom() + 1.
  return QRect(face.left(), face.bottom(), face.width(), ListHeight(rows, rowHeight, maxHeight, frame));
}

QRect DropListLayout::PlaceList(const QRect& face, int height, const QRect& screen) {
  // Below: the list's first row overlaps the face's last; above: its last row overlaps the face's first.
  const int roomBelow = screen.bottom() + 1 - face.bottom();
  const int roomAbove = face.top() + 1 - screen.top();
  int top = face.bottom();
  if (height > roomBelow) {
    if (height <= roomAbove || roomAbove > roomBelow) {
      height = std::min(height, roomAbove);
      top = face.top() + 1 - height;
    } else {
      height = std::max(0, roomBelow);
    }
  }
  const int width = face.width();
  const int left = std::max(screen.left(), std::min(face.left(), screen.right() + 1 - width));
  return QRect(left, top, width, height);
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
