#pragma once
/// The keyboard focus of a skinned control, drawn the same way on every control so the operator
/// always sees which one the arrow keys will move.

#include <QPainter>
#include <QRectF>

#include "ui/SkinTheme.h"

namespace orvx {

inline void PaintFocusRing(QPainter& painter, const QRectF& box, qreal radius = 3) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(SkinTheme::Current().Color("accent"), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(box.adjusted(1, 1, -1, -1), radius, radius);
  painter.restore();
}

}  // namespace orvx
