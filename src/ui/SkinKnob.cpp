#include "ui/SkinKnob.h"

#include "ui/FocusRing.h"

#include "ui/HoldBreak.h"
#include "ui/SkinStore.h"
#include "ui/SkinTheme.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <QWheelEvent>

#include <cmath>

namespace orvx {

CSkinKnob::CSkinKnob(QWidget* parent, int id) : QWidget(parent), m_id(id) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::SizeVerCursor);
}

void CSkinKnob::SetRange(int minimum, int maximum) {
  m_mapping.minimum = minimum;
  m_mapping.maximum = maximum;
  m_value = m_mapping.Clamp(m_value);
  m_default = m_mapping.Clamp(m_default);
  update();
}

void CSkinKnob::SetDefault(int value) { m_default = m_mapping.Clamp(value); }

void CSkinKnob::SetValue(int value) {
  if (m_dragging) {
    return;  // the operator's hand wins until release
  }
  const int clamped = m_mapping.Clamp(value);
  if (clamped == m_value) return;  // a refresh that changes nothing repaints nothing
  m_value = clamped;
  update();
}

void CSkinKnob::SetSteps(int step, int pageStep) {
  m_step = std::max(1, step);
  m_pageStep = std::max(1, pageStep);
}

void CSkinKnob::SetBodyImage(const QString& skinName) {
  m_body = LoadPngResource(skinName);
  update();
}

bool CSkinKnob::MoveTo(int value) {
  const int clamped = m_mapping.Clamp(value);
  if (clamped == m_value) {
    return false;
  }
  m_value = clamped;
  update();
  return true;
}

void CSkinKnob::Step(int value) {
  MoveTo(value);
  emit SliderReleased(m_id, m_value);
}

void CSkinKnob::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) {
    return;
  }
  setFocus(Qt::MouseFocusReason);
  m_dragging = true;
  m_dragStartY = static_cast<int>(event->position().y());
  m_dragStartValue = m_value;
  update();
}

void CSkinKnob::mouseMoveEvent(QMouseEvent* event) {
  if (!m_dragging) {
    return;
  }
  const int dy = static_cast<int>(event->position().y()) - m_dragStartY;
  if (MoveTo(m_mapping.Drag(m_dragStartValue, dy))) {
    emit SliderMoving(m_id, m_value);
  }
}

void CSkinKnob::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  EndHold();
}

void CSkinKnob::EndHold() {
  if (!m_dragging) {
    return;
  }
  m_dragging = false;
  update();
  emit SliderReleased(m_id, m_value);
}

bool CSkinKnob::event(QEvent* event) {
  if (BreaksHold(event->type())) {
    EndHold();
  } else if (event->type() == QEvent::EnabledChange && !isEnabled()) {
    m_dragging = false;  // a disabled knob reports nothing, and no release reaches it
  }
  return QWidget::event(event);
}

void CSkinKnob::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) {
    return;
  }
  MoveTo(m_default);
  emit SliderDblClk(m_id, m_value);
}

void CSkinKnob::enterEvent(QEnterEvent* event) {
  m_wheelGate.PointerEntered(WheelClockMs());
  QWidget::enterEvent(event);
}

void CSkinKnob::leaveEvent(QEvent* event) {
  m_wheelGate.PointerLeft();
  QWidget::leaveEvent(event);
}

void CSkinKnob::wheelEvent(QWheelEvent* event) {
  const bool modifier = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
  if (!isEnabled() || m_dragging || !m_wheelGate.TakesWheel(WheelClockMs(), modifier)) {
    event->ignore();
    return;
  }
  event->accept();
  m_wheelSum += event->angleDelta().y();
  const int notches = m_wheelSum / 120;
  if (notches != 0) {
    m_wheelSum -= notches * 120;
    Step(m_mapping.Wheel(m_value, notches, m_step));
  }
}

void CSkinKnob::keyPressEvent(QKeyEvent* event) {
  if (!isEnabled()) {
    event->ignore();
    return;
  }
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right: Step(m_value + m_step); return;
    case Qt::Key_Down:
    case Qt::Key_Left: Step(m_value - m_step); return;
    case Qt::Key_PageUp: Step(m_value + m_pageStep); return;
    case Qt::Key_PageDown: Step(m_value - m_pageStep); return;
    case Qt::Key_Home: Step(m_mapping.minimum); return;
    case Qt::Key_End: Step(m_mapping.maximum); return;
    default: QWidget::keyPressEvent(event);
  }
}

void CSkinKnob::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const SkinTheme& theme = SkinTheme::Current();
  const double side = std::min(width(), height());
  const QPointF centre(width() / 2.0, height() / 2.0);
  const double ring = std::max(2.0, side * 0.08);
  const QRectF arcBox(centre.x() - side / 2 + ring, centre.y() - side / 2 + ring, side - 2 * ring, side - 2 * ring);

  // Track and lit arc; Qt's angles run counter-clockwise from 3 o'clock in 1/16 degree.
  const double sweep = m_mapping.sweepDegrees;
  const int start16 = static_cast<int>((90 + sweep / 2) * 16);
  painter.setPen(QPen(theme.Color("knob.track"), ring, Qt::SolidLine, Qt::FlatCap));
  painter.drawArc(arcBox, start16, static_cast<int>(-sweep * 16));
  const QColor arc = isEnabled() ? theme.Color("knob.arc") : theme.Color("text.disabled");
  painter.setPen(QPen(arc, ring, Qt::SolidLine, Qt::FlatCap));
  painter.drawArc(arcBox, start16, static_cast<int>(-m_mapping.Fraction(m_value) * sweep * 16));

  // Body.
  const double bodyRadius = side / 2 - ring * 2.2;
  const QRectF bodyBox(centre.x() - bodyRadius, centre.y() - bodyRadius, 2 * bodyRadius, 2 * bodyRadius);
  if (!m_body.isNull()) {
    painter.drawPixmap(bodyBox.toRect(), m_body);
  } else {
    QRadialGradient shade(centre - QPointF(bodyRadius * 0.3, bodyRadius * 0.4), bodyRadius * 1.4);
    const QColor body = theme.Color("knob.body");
    shade.setColorAt(0.0, body.lighter(160));
    shade.setColorAt(0.6, body);
    shade.setColorAt(1.0, body.darker(170));
    painter.setPen(QPen(theme.Color("knob.body.edge"), 1));
    painter.setBrush(shade);
    painter.drawEllipse(bodyBox);
  }

  // Pointer, clockwise from straight up.
  const double radians = m_mapping.Angle(m_value) * M_PI / 180.0;
  const QPointF direction(std::sin(radians), -std::cos(radians));
  painter.setPen(QPen(isEnabled() ? theme.Color("knob.pointer") : theme.Color("text.disabled"),
                      std::max(1.5, side * 0.05), Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre + direction * bodyRadius * 0.25, centre + direction * bodyRadius * 0.85);
  if (hasFocus()) PaintFocusRing(painter, rect(), side / 2.0);
}

}  // namespace orvx
