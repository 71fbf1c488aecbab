#include "ui/MenuEx.h"

#include "ui/SkinTheme.h"
#include "ui/UiFont.h"

#include <QPainter>
#include <QStyleOptionMenuItem>

namespace orvx {

namespace {
const QString kCheckMark = QString::fromUtf8("√");
}  // namespace

CMenuExStyle::CMenuExStyle(const MenuItemMetrics& metrics) : m_metrics(metrics) {}

QSize CMenuExStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                     const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (type != CT_MenuItem || item == nullptr) {
    return QProxyStyle::sizeFromContents(type, option, size, widget);
  }
  const bool separator = item->menuItemType == QStyleOptionMenuItem::Separator;
  QString text = item->text;
  text.replace('\t', "    ");
  const int textWidth = item->fontMetrics.horizontalAdvance(text);
  const QSize measured = m_metrics.ItemSize(separator, textWidth, !item->icon.isNull(),
                                            item->menuItemType == QStyleOptionMenuItem::SubMenu);
  return {m_metrics.DisplayWidth(measured.width()), measured.height()};
}

void CMenuExStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (element != CE_MenuItem || item == nullptr) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  const SkinTheme& theme = SkinTheme::Current();
  const QRect r = item->rect;
  painter->save();
  painter->fillRect(r, theme.Color("menu.bg"));
  painter->fillRect(QRect(r.left(), r.top(), m_metrics.StripWidth(), r.height()), theme.Color("menu.strip"));
  if (item->menuItemType == QStyleOptionMenuItem::Separator) {
    const int y = r.top() + r.height() / 2 - 1;
    const int right = r.right() - 2;
    painter->setPen(theme.Color("menu.separator.dark"));
    painter->drawLine(r.left(), y, right, y);
    painter->setPen(theme.Color("menu.separator.light"));
    painter->drawLine(r.left(), y + 1, right, y + 1);
    painter->restore();
    return;
  }
  const bool enabled = item->state & State_Enabled;
  const bool selected = (item->state & State_Selected) && enabled;
  if (selected) {
    painter->setPen(theme.Color("menu.highlight.frame"));
    painter->setBrush(theme.Color("menu.highlight.fill"));
    painter->drawRect(r.adjusted(0, 0, -1, -1));
  }
  // Text from icon width + 10; a tab separates a right-aligned shortcut.
  const QRect textRect = r.adjusted(m_metrics.TextLeft(), 0, -4, 0);
  const QString left = item->text.section('\t', 0, 0);
  const QString right = item->text.section('\t', 1);
  auto drawText = [&](const QRect& area, const QColor& colour) {
    painter->setPen(colour);
    // "&A" marks the item's access key: drawn underlined, never as a literal "&".
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, left);
    if (!right.isEmpty()) {
      painter->drawText(area, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, right);
    }
  };
  painter->setFont(item->font);
  if (enabled) {
    drawText(textRect, selected ? theme.Color("menu.text.selected") : theme.Color("menu.text"));
  } else {
    drawText(textRect.translated(1, 1), theme.Color("menu.text.emboss"));
    drawText(textRect, theme.Color("menu.text.disabled"));
  }
  const QRect iconCell(r.left() + 2, r.top() + (r.height() - m_metrics.icon.height()) / 2, m_metrics.icon.width(),
                       m_metrics.icon.height());
  if (item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked) {
    const QRect cell = iconCell.adjusted(-2, -2, 2, 2);
    if (enabled) {
      painter->setPen(theme.Color("menu.text"));
      painter->drawText(cell, Qt::AlignCenter, kCheckMark);
    } else {
      painter->setPen(theme.Color("menu.text.emboss"));
      painter->drawText(cell.translated(1, 1), Qt::AlignCenter, kCheckMark);
      painter->setPen(theme.Color("menu.text.disabled"));
      painter->drawText(cell, Qt::AlignCenter, kCheckMark);
    }
  } else if (!item->icon.isNull()) {
    const QIcon::Mode mode = enabled ? QIcon::Normal : QIcon::Disabled;
    item->icon.paint(painter, iconCell.translated(0, selected ? -1 : 0), Qt::AlignCenter, mode);
  }
  if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
    const int cy = r.center().y();
    const int x = r.right() - 8;
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(selected ? theme.Color("menu.text.selected") : theme.Color("menu.text"));
    painter->drawPolygon(QPolygon({QPoint(x, cy - 4), QPoint(x + 4, cy), QPoint(x, cy + 4)}));
  }
  painter->restore();
}

void CMenuExStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
  if (element == PE_PanelMenu || element == PE_FrameMenu) {
    const SkinTheme& theme = SkinTheme::Current();
    if (element == PE_PanelMenu) {
      painter->fillRect(option->rect, theme.Color("menu.bg"));
    }
    painter->setPen(theme.Color("menu.highlight.frame"));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    return;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int CMenuExStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
  switch (metric) {
    case PM_MenuPanelWidth: return 1;
    case PM_MenuHMargin:
    case PM_MenuVMargin: return 0;
    case PM_SmallIconSize: return m_metrics.icon.width();
    default: return QProxyStyle::pixelMetric(metric, option, widget);
  }
}

CMenuEx::Item CMenuEx::Item::Command(const QString& text, int command, bool enabled, bool checked) {
  Item item;
  item.text = text;
  item.command = command;
  item.enabled = enabled;
  item.checked = checked;
  return item;
}

CMenuEx::Item CMenuEx::Item::Separator() {
  Item item;
  item.separator = true;
  return item;
}

CMenuEx::Item CMenuEx::Item::Popup(const QString& text, const QList<Item>& children) {
  Item item;
  item.text = text;
  item.children = children;
  return item;
}

CMenuEx::CMenuEx(QWidget* parent) : QMenu(parent), m_style(new CMenuExStyle(m_metrics)) {
  m_style->setParent(this);
  setStyle(m_style);
  setFont(UiFontPx(16));
}

int CMenuEx::CommandOf(const QAction* action) { return action == nullptr ? 0 : action->data().toInt(); }

void CMenuEx::LoadOwnerDrawMenu(const QList<Item>& items) {
  clear();
  Fill(this, items);
}

void CMenuEx::Fill(QMenu* menu, const QList<Item>& items) {
  for (const Item& item : items) {
    if (item.separator) {
      menu->addSeparator();
      continue;
    }
    if (!item.children.isEmpty()) {
      auto* sub = new CMenuEx(menu);
      sub->m_images = m_images;
      sub->setTitle(item.text);
      sub->Fill(sub, item.children);
      menu->addMenu(sub);
      continue;
    }
    QAction* action = menu->addAction(item.text);
    action->setData(item.command);
    action->setEnabled(item.enabled);
    if (item.checked) {
      action->setCheckable(true);
      action->setChecked(true);
    }
    if (item.image >= 0 && item.image < m_images.size()) {
      action->setIcon(QIcon(m_images[item.image]));
    }
  }
}

int CMenuEx::TrackPopupMenu(const QPoint& globalPos) { return CommandOf(exec(globalPos)); }

int CMenuEx::Exec(const QList<Item>& items, const QPoint& globalPos, QWidget* parent) {
  CMenuEx menu(parent);
  menu.LoadOwnerDrawMenu(items);
  return menu.TrackPopupMenu(globalPos);
}

}  // namespace orvx
