#pragma once
/// Sizes of the owner-drawn menu's items. Pure.

#include <QSize>

namespace orvx {

struct MenuItemMetrics {
  QSize icon{16, 15};
  int separatorHeight = 10;
  /// Room the menu itself adds to every measured item for its check-mark column, as the
  /// classic owner-drawn menus do; without it the text (which starts at icon width + 10) is cut.
  int checkColumn = 15;

  /// A separator is `separatorHeight` high; any other item icon height + 4 high and
  /// text width + icon width wide, + 30 with an icon, + 15 when it opens a sub-menu.
  QSize ItemSize(bool separator, int textWidth, bool hasIcon, bool opensPopup) const;
  /// Width the menu gives an item: its measured width plus the check-mark column.
  int DisplayWidth(int measuredWidth) const { return measuredWidth + checkColumn; }
  /// Left edge of an item's text: icon width + 10.
  int TextLeft() const { return icon.width() + 10; }
  /// Width of the icon strip at the left of every item: icon width + 5.
  int StripWidth() const { return icon.width() + 5; }
};

}  // namespace orvx
