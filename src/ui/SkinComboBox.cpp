#include "ui/SkinComboBox.h"

#include "ui/FocusRing.h"

#include "ui/DropListPopup.h"
#include "ui/NineSlice.h"
#include "ui/SkinStore.h"
#include "ui/SkinTheme.h"
#include "ui/UiFont.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QWheelEvent>

namespace orvx {

namespace {
constexpr int kTextLeftInset = 5;
constexpr int kTextRightInset = 20;  // room for the arrow
}  // namespace

CSkinComboBox::CSkinComboBox(QWidget* parent) : QWidget(parent) {
  const SkinTheme& theme = SkinTheme::Current();
  m_textColor = theme.Color("combo.text");
  m_hoverTextColor = theme.Color("combo.text.hover");
  m_font = UiFontPx(14);
  m_hoverFont = m_font;
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_Hover);
}

CSkinComboBox::~CSkinComboBox() { delete m_list; }

bool CSkinComboBox::CreateDropList(int id) {
  m_id = id;
  if (m_list == nullptr) {
    m_list = new CDropListPopup(this);
    m_list->setFont(m_font);
    for (const QString& row : m_rows) {
      m_list->AddRow(row);
    }
  }
  return m_list != nullptr;
}

void CSkinComboBox::SetFaceImages(const QString& face, const QString& hoverFace, bool resizeToFace) {
  m_face = LoadPngResource(face);
  m_hoverFace = LoadPngResource(hoverFace);
  if (resizeToFace && !m_face.isNull()) {
    resize(m_face.size() / m_face.devicePixelRatio());
  }
  update();
}

void CSkinComboBox::SetTextColors(const QColor& normal, const QColor& hover) {
  m_textColor = normal;
  m_hoverTextColor = hover;
  update();
}

void CSkinComboBox::SetFonts(const QFont& normal, const QFont& hover) {
  m_font = normal;
  m_hoverFont = hover;
  if (m_list != nullptr) {
    m_list->setFont(normal);
  }
  update();
}

void CSkinComboBox::SetCustomTextPlacement(bool on, int flags, int offset) {
  m_customPlacement = on;
  m_customFlags = flags;
  m_customOffset = offset;
  update();
}

void CSkinComboBox::AddString(const QString& text) {
  m_rows << text;
  if (m_list != nullptr) {
    m_list->AddRow(text);
  }
}

void CSkinComboBox::ResetContent() {
  m_rows.clear();
  m_current = -1;
  if (m_list != nullptr) {
    m_list->clear();
  }
  update();
}

QString CSkinComboBox::GetText(int row) const { return row >= 0 && row < m_rows.size() ? m_rows[row] : QString(); }

void CSkinComboBox::SetCurSel(int row) {
  m_current = DropListLayout::ClampRow(row, GetCount());
  if (m_list != nullptr) {
    m_list->setCurrentRow(m_current);
  }
  update();
}

QRect CSkinComboBox::DropListRect() const {
  const int rowHeight = m_list != nullptr ? m_list->RowHeight() : 16;
  const int frame = m_list != nullptr ? m_list->FrameWidth() : 0;
  const QRect face(mapToGlobal(QPoint(0, 0)), size());
  const int height = DropListLayout::ListHeight(GetCount(), rowHeight, m_maxListHeight, frame);
  const QScreen* shown = screen();
  if (shown == nullptr) {
    return DropListLayout::ListRect(face, GetCount(), rowHeight, m_maxListHeight, frame);
  }
  return DropListLayout::PlaceList(face, height, shown->availableGeometry());
}

void CSkinComboBox::ShowDropList() {
  if (m_list == nullptr || m_list->isVisible()) {
    return;
  }
  m_list->Open(DropListRect(), m_current);
}

void CSkinComboBox::HideDropList() {
  if (m_list != nullptr) {
    m_list->hide();
  }
}

bool CSkinComboBox::IsDropListShown() const { return m_list != nullptr && m_list->isVisible(); }

void CSkinComboBox::ChooseRow(int row) {
  if (row < 0 || row >= GetCount()) {
    return;
  }
  m_current = row;
  if (m_list != nullptr) {
    m_list->setCurrentRow(row);
  }
  m_hovered = true;
  setFocus(Qt::OtherFocusReason);
  update();
  emit DropdownSelected(m_id, row);
}

QSize CSkinComboBox::sizeHint() const {
  if (!m_face.isNull()) {
    return m_face.size() / m_face.devicePixelRatio();
  }
  return {120, 24};
}

void CSkinComboBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && !IsDropListShown()) {
    ShowDropList();
  }
}

void CSkinComboBox::wheelEvent(QWheelEvent* event) {
  const bool modifier = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
  if (!m_wheelGate.TakesWheel(WheelClockMs(), modifier)) {
    event->ignore();  // the page scrolls on
    return;
  }
  const int step = m_wheel.Add(event->angleDelta().y());
  event->accept();
  if (step != 0) {
    StepBy(step);
  }
}

void CSkinComboBox::StepBy(int step) {
  if (GetCount() == 0) {
    return;
  }
  SetCurSel(m_current + step);
  emit DropdownSelected(m_id, m_current);
}

void CSkinComboBox::keyPressEvent(QKeyEvent* event) {
  const bool alt = event->modifiers().testFlag(Qt::AltModifier);
  switch (event->key()) {
    case Qt::Key_Space: ShowDropList(); return;
    case Qt::Key_Down:
      if (alt) {
        ShowDropList();
      } else {
        StepBy(1);
      }
      return;
    case Qt::Key_Up:
      if (!alt) {
        StepBy(-1);
      }
      return;
    default: QWidget::keyPressEvent(event);
  }
}

void CSkinComboBox::SetHovered(bool hovered) {
  if (m_hovered != hovered) {
    m_hovered = hovered;
    update();
  }
}

void CSkinComboBox::enterEvent(QEnterEvent* event) {
  m_wheelGate.PointerEntered(WheelClockMs());
  SetHovered(true);
  QWidget::enterEvent(event);
}

void CSkinComboBox::leaveEvent(QEvent* event) {
  m_wheelGate.PointerLeft();
  SetHovered(false);
  QWidget::leaveEvent(event);
}

void CSkinComboBox::focusOutEvent(QFocusEvent* event) {
  SetHovered(false);
  QWidget::focusOutEvent(event);
}

void CSkinComboBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const SkinTheme& theme = SkinTheme::Current();
  const QPixmap& face = m_hovered && !m_hoverFace.isNull() ? m_hoverFace : m_face;
  if (!face.isNull()) {
    DrawNineSlice(painter, rect(), face, QMargins(4, 4, 22, 4));
  } else {
    // Painted face: a recessed field with a chevron, lit edge while hovered.
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(m_hovered ? theme.Color("list.frame") : theme.Color("panel.edge"), 1));
    painter.setBrush(theme.Color("combo.face"));
    painter.drawRoundedRect(r, 3, 3);
    const QPointF c(width() - kTextRightInset / 2.0 - 1, height() / 2.0);
    QPainterPath chevron;
    chevron.moveTo(c + QPointF(-4, -2));
    chevron.lineTo(c + QPointF(0, 2));
    chevron.lineTo(c + QPointF(4, -2));
    painter.setPen(QPen(theme.Color("combo.arrow"), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(chevron);
  }
  if (hasFocus()) PaintFocusRing(painter, rect());
  const QString text = GetText(m_current);
  if (text.isEmpty()) {
    return;
  }
  painter.setFont(m_hovered ? m_hoverFont : m_font);
  painter.setPen(m_hovered ? m_hoverTextColor : m_textColor);
  if (m_customPlacement) {
    painter.drawText(rect().translated(0, m_customOffset), m_customFlags, text);
  } else {
    painter.drawText(rect().adjusted(kTextLeftInset, 0, -kTextRightInset, 0), Qt::AlignCenter | Qt::TextSingleLine,
                     text);
  }
}

}  // namespace orvx
