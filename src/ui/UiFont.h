#pragma once
/// The skin's text face: a Latin UI font with a CJK fallback so Chinese captions always render.

#include <QFont>

namespace orvx {

/// Font for captions and read-outs at `pointSize` points.
QFont UiFont(double pointSize, bool bold = false);
/// The same face sized in pixels (list rows, menu items, meter scales).
QFont UiFontPx(int pixelSize, bool bold = false);

}  // namespace orvx
