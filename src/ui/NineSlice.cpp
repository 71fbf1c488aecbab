#include "ui/NineSlice.h"

#include <QtWidgets/qdrawutil.h>

#include <algorithm>

namespace orvx {

QMargins FitSliceMargins(const QMargins& slice, const QSize& image, const QSize& target) {
  auto fit = [](int a, int b, int imageLen, int targetLen) {
    const int limit = std::min(imageLen, targetLen) / 2;
    return std::pair{std::clamp(a, 0, limit), std::clamp(b, 0, limit)};
  };
  auto [l, r] = fit(slice.left(), slice.right(), image.width(), target.width());
  auto [t, b] = fit(slice.top(), slice.bottom(), image.height(), target.height());
  return QMargins(l, t, r, b);
}

void DrawNineSlice(QPainter& painter, const QRect& target, const QPixmap& pixmap, const QMargins& slice) {
  if (pixmap.isNull() || target.isEmpty()) {
    return;
  }
  const QMargins m = FitSliceMargins(slice, pixmap.size() / pixmap.devicePixelRatio(), target.size());
  if (m.isNull()) {
    painter.drawPixmap(target, pixmap);
    return;
  }
  qDrawBorderPixmap(&painter, target, m, pixmap);
}

}  // namespace orvx
