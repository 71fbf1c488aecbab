#pragma once
/// Owner-drawn pop-up menu in the skin's look: item background, an icon strip on the left, a
/// check mark "√", optional icons from an image list and a framed highlight. Items follow
/// `MenuItemMetrics` (separator 10 px; icon height + 4 px rows).
///
/// Usage (a preset menu):
///   CMenuEx menu(page);
///   menu.LoadOwnerDrawMenu({CMenuEx::Item::Command("SAVE", kSave), CMenuEx::Item::Separator(),
///                           CMenuEx::Item::Command("DELETE", kDelete, hasPreset)});
///   if (int command = menu.TrackPopupMenu(QCursor::pos())) ...
/// or in one call: `switch (CMenuEx::Exec({...}, QCursor::pos(), page)) ...`.
/// Actions added with QMenu's own API are drawn the same way, so any `QMenu menu(this)` can
/// simply become `CMenuEx menu(this)`.

#include "ui/MenuItemMetrics.h"

#include <QList>
#include <QMenu>
#include <QPixmap>
#include <QProxyStyle>

namespace orvx {

/// Draws and measures the items of a `CMenuEx`.
class CMenuExStyle : public QProxyStyle {
  Q_OBJECT
public:
  explicit CMenuExStyle(const MenuItemMetrics& metrics);

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;

private:
  MenuItemMetrics m_metrics;
};

class CMenuEx : public QMenu {
  Q_OBJECT
public:
  /// One item of a menu description; `children` make it a sub-menu.
  struct Item {
    QString text;
    int command = 0;
    int image = -1;  ///< index into the image list, -1 for none
    bool separator = false;
    bool checked = false;
    bool enabled = true;
    QList<Item> children;

    static Item Command(const QString& text, int command, bool enabled = true, bool checked = false);
    static Item Separator();
    static Item Popup(const QString& text, const QList<Item>& children);
  };

  explicit CMenuEx(QWidget* parent = nullptr);

  /// Rebuilds the menu from `items`, sub-menus recursively, each in this look.
  void LoadOwnerDrawMenu(const QList<Item>& items);
  /// Icons used by items with an image index.
  void SetImageList(const QList<QPixmap>& images) { m_images = images; }
  /// Shows the menu at a screen point and returns the chosen item's command (0: none).
  int TrackPopupMenu(const QPoint& globalPos);
  /// Builds a skinned menu from `items`, shows it at a screen point and returns the chosen
  /// item's command (0: none), so no caller needs a plain QMenu for a quick pop-up.
  static int Exec(const QList<Item>& items, const QPoint& globalPos, QWidget* parent = nullptr);
  /// The command carried by an action of this menu.
  static int CommandOf(const QAction* action);

  const MenuItemMetrics& Metrics() const { return m_metrics; }

private:
  void Fill(QMenu* menu, const QList<Item>& items);

  MenuItemMetrics m_metrics;
  CMenuExStyle* m_style;
  QList<QPixmap> m_images;
};

}  // namespace orvx
