#include "ui/DropListPopup.h"

#include "ui/SkinComboBox.h"
#include "ui/SkinTheme.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>

namespace orvx {

CDropListPopup::CDropListPopup(CSkinComboBox* owner) : QListWidget(nullptr), m_owner(owner) {
  setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_NoMouseReplay);  // the click that closes the list must not reopen it
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setMouseTracking(true);
  const SkinTheme& theme = SkinTheme::Current();
  setStyleSheet(QString("QListWidget { background: %1; color: %2; border: 1px solid %3; outline: 0; }"
                        "QListWidget::item { padding-left: 4px; }"
                        "QListWidget::item:hover, QListWidget::item:selected { background: %4; color: %5; }")
                    .arg(theme.Color("list.bg").name(), theme.Color("list.text").name(),
                         theme.Color("list.frame").name(), theme.Color("list.selected.bg").name(),
                         theme.Color("list.selected.text").name()));
}

int CDropListPopup::RowHeight() const { return QFontMetrics(font()).height() + 4; }

int CDropListPopup::FrameWidth() const {
  ensurePolished();  // the frame comes from the style sheet, known only once polished
  return frameWidth();
}

void CDropListPopup::AddRow(const QString& text) {
  auto* item = new QListWidgetItem(text, this);
  item->setSizeHint(QSize(0, RowHeight()));
}

void CDropListPopup::Open(const QRect& globalRect, int current) {
  m_restoreRow = current;
  setCurrentRow(current);
  setGeometry(globalRect);
  show();
  raise();
  setFocus(Qt::PopupFocusReason);
}

void CDropListPopup::Choose(int row) {
  hide();
  m_restoreRow = row;
  m_owner->ChooseRow(row);
}

void CDropListPopup::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();  // viewport coordinates
  QListWidgetItem* item = itemAt(pos);
  if (event->button() == Qt::LeftButton && viewport()->rect().contains(pos) && item != nullptr) {
    Choose(row(item));
    return;
  }
  QListWidget::mouseReleaseEvent(event);
}

void CDropListPopup::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (currentRow() >= 0) {
        Choose(currentRow());
      }
      return;
    case Qt::Key_Escape: hide(); return;
    default: QListWidget::keyPressEvent(event);
  }
}

void CDropListPopup::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) {
    // Rows keep the height of the font they were added with unless told otherwise.
    for (int i = 0; i < count(); ++i) {
      item(i)->setSizeHint(QSize(0, RowHeight()));
    }
  }
  QListWidget::changeEvent(event);
}

void CDropListPopup::hideEvent(QHideEvent* event) {
  // Closed without a choice: the list's selection returns to the row selected before.
  setCurrentRow(m_restoreRow);
  QListWidget::hideEvent(event);
}

}  // namespace orvx
