#include "ui/MenuItemMetrics.h"

namespace orvx {

QSize MenuItemMetrics::ItemSize(bool separator, int textWidth, bool hasIcon, bool opensPopup) const {
  if (separator) {
    return {0, separatorHeight};
  }
  int width = textWidth + icon.width();
  if (hasIcon) {
    width += 30;
  }
  if (opensPopup) {
    width += 15;
  }
  return {width, icon.height() + 4};
}

}  // namespace orvx
