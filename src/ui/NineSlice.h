#pragma once
/// Draws a skin face at any size without blurring its corners: the four corners are copied as
/// they are, the edges stretch along one axis and the centre along both.

#include <QMargins>
#include <QPainter>
#include <QPixmap>
#include <QRect>

namespace orvx {

/// Corner sizes actually used for a target: never more than half the target or the image.
QMargins FitSliceMargins(const QMargins& slice, const QSize& image, const QSize& target);

/// Draw `pixmap` into `target`; margins of 0 give a plain stretch.
void DrawNineSlice(QPainter& painter, const QRect& target, const QPixmap& pixmap, const QMargins& slice);

}  // namespace orvx
