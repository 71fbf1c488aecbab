#include "ui/UiFont.h"

#include <QStringList>

namespace orvx {

namespace {
QFont BaseFont(bool bold) {
  QFont font;
  font.setFamilies({"DejaVu Sans", "WenQuanYi Micro Hei"});
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);  // grid-fitted, crisp at small sizes
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}
}  // namespace

QFont UiFont(double pointSize, bool bold) {
  QFont font = BaseFont(bold);
  font.setPointSizeF(pointSize > 0 ? pointSize : 8.0);
  return font;
}

QFont UiFontPx(int pixelSize, bool bold) {
  QFont font = BaseFont(bold);
  font.setPixelSize(pixelSize > 0 ? pixelSize : 12);
  return font;
}

}  // namespace orvx
