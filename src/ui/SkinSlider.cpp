#include "ui/SkinSlider.h"

#include "ui/FocusRing.h"

#include "ui/HoldBreak.h"
#include "ui/SkinStore.h"
#include "ui/SkinTheme.h"
#include "ui/UiFont.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace orvx {

namespace {
constexpr int kPaintedAlongVertical = 40;
constexpr int kPaintedAlongHorizontal = 18;
constexpr int kTickCount = 11;
constexpr int kSlotWidth = 6;

/// Loads a pair of skin images; false when a named one is missing.
bool LoadPair(const QString& first, const QString& second, QPixmap& a, QPixmap& b) {
  QPixmap x = first.isEmpty() ? QPixmap() : LoadPngResource(first);
  QPixmap y = second.isEmpty() ? QPixmap() : LoadPngResource(second);
  if ((!first.isEmpty() && x.isNull()) || (!second.isEmpty() && y.isNull())) {
    return false;
  }
  a = first.isEmpty() ? QPixmap() : x;
  b = first.isEmpty() ? QPixmap() : y;
  return true;
}

QSize LogicalSize(const QPixmap& pixmap) { return pixmap.size() / pixmap.devicePixelRatio(); }
}  // namespace

CSkinSlider::CSkinSlider(QWidget* parent, int id) : QWidget(parent), m_id(id) { setFocusPolicy(Qt::StrongFocus); }

void CSkinSlider::SetRange(int minimum, int maximum, bool redraw) {
  m_min = minimum;
  m_max = maximum;
  m_pos = Geometry().Clamp(m_pos);
  if (redraw) {
    update();
  }
}

void CSkinSlider::SetRangeMin(int minimum, bool redraw) { SetRange(minimum, m_max, redraw); }

void CSkinSlider::SetRangeMax(int maximum, bool redraw) { SetRange(m_min, maximum, redraw); }

void CSkinSlider::SetPos(int position) {
  if (m_pressed) {
    return;  // the operator's hand wins until release
  }
  m_pos = Geometry().Clamp(position);
  update();
}

bool CSkinSlider::MoveTo(int position) {
  const int clamped = Geometry().Clamp(position);
  if (clamped == m_pos) {
    return false;
  }
  m_pos = clamped;
  update();
  return true;
}

void CSkinSlider::SetVertical(bool vertical) {
  m_vertical = vertical;
  update();
}

void CSkinSlider::SetMargins(int left, int top, int right, int bottom) {
  m_margins = QMargins(left, top, right, bottom);
  update();
}

bool CSkinSlider::SetChannelBitmaps(const QString& channel, const QString& second) {
  if (!LoadPair(channel, second, m_channel, m_channel2)) {
    return false;
  }
  if (!m_channel.isNull()) {
    resize(LogicalSize(m_channel));
  }
  update();
  return true;
}

bool CSkinSlider::SetThumbBitmaps(const QString& thumb, const QString& alternative) {
  if (!LoadPair(thumb, alternative, m_thumb, m_thumbAlt)) {
    return false;
  }
  update();
  return true;
}

void CSkinSlider::SetPaintedThumbSize(const QSize& size) {
  m_paintedThumb = size;
  update();
}

void CSkinSlider::Enable(bool enabled) {
  setEnabled(enabled);
  if (!enabled) {
    m_pressed = false;
  }
  update();
}

void CSkinSlider::SetLabelShown(bool shown) {
  m_labelShown = shown;
  update();
}

void CSkinSlider::SetLabelMode(int mode) {
  m_label.mode = mode;
  update();
}

void CSkinSlider::SetLabelValues(int topValue, int bottomValue) {
  m_label.topValue = topValue;
  m_label.bottomValue = bottomValue;
  update();
}

void CSkinSlider::SetLabelDivisor(double divisor) {
  m_label.divisor = divisor;
  update();
}

void CSkinSlider::SetLabelBandHeight(int height) {
  m_labelBand = height;
  update();
}

void CSkinSlider::SetThumbMode(int mode) {
  m_thumbMode = mode;
  update();
}

void CSkinSlider::SetReferencePos(int position) {
  m_referencePos = position;
  update();
}

void CSkinSlider::SetThumbNumber(int number) {
  m_thumbNumber = number;
  update();
}

QSize CSkinSlider::ThumbSize() const {
  if (!m_thumb.isNull()) {
    return LogicalSize(m_thumb);
  }
  if (m_vertical) {
    const int across =
        m_paintedThumb.width() > 0 ? m_paintedThumb.width() : width() - m_margins.left() - m_margins.right();
    const int along = m_paintedThumb.height() > 0 ? m_paintedThumb.height() : kPaintedAlongVertical;
    return {across, along};
  }
  const int across =
      m_paintedThumb.width() > 0 ? m_paintedThumb.width() : height() - m_margins.top() - m_margins.bottom();
  const int along = m_paintedThumb.height() > 0 ? m_paintedThumb.height() : kPaintedAlongHorizontal;
  return {along, across};
}

SliderGeometry CSkinSlider::Geometry() const {
  SliderGeometry g;
  const QSize thumb = ThumbSize();
  g.length = m_vertical ? height() : width();
  g.startMargin = m_vertical ? m_margins.top() : m_margins.left();
  g.endMargin = m_vertical ? m_margins.bottom() : m_margins.right();
  g.thumb = m_vertical ? thumb.height() : thumb.width();
  g.minimum = m_min;
  g.maximum = m_max;
  return g;
}

SliderCrossAxis CSkinSlider::CrossAxis() const {
  const QSize thumb = ThumbSize();
  if (m_vertical) {
    return {m_margins.left(), width() - m_margins.left() - m_margins.right(), thumb.width()};
  }
  return {m_margins.top(), height() - m_margins.top() - m_margins.bottom(), thumb.height()};
}

QRect CSkinSlider::ThumbRect() const {
  const QSize thumb = ThumbSize();
  const int centre = Geometry().PosToPixel(m_pos);
  // A skin that brings both channel and thumb images places the thumb with its margins;
  // otherwise the cap is centred on the slot.
  const bool skinPlaced = !m_channel.isNull() && !m_thumb.isNull();
  const int across = skinPlaced ? (m_vertical ? m_margins.left() : m_margins.top()) : CrossAxis().CapStart();
  if (m_vertical) {
    return {across, centre - thumb.height() / 2, thumb.width(), thumb.height()};
  }
  return {centre - thumb.width() / 2, across, thumb.width(), thumb.height()};
}

QRectF CSkinSlider::SlotRect() const {
  if (!m_channel.isNull()) {
    return {};
  }
  const SliderGeometry g = Geometry();
  const int first = g.PosToPixel(m_min);
  const int last = g.PosToPixel(m_max);
  const double across = CrossAxis().SlotStart(kSlotWidth);
  if (m_vertical) {
    return {across, first - 2.0, double(kSlotWidth), last - first + 4.0};
  }
  return {first - 2.0, across, last - first + 4.0, double(kSlotWidth)};
}

QString CSkinSlider::LabelText() const { return FormatSliderLabel(m_label, m_pos, m_min, m_max); }

bool CSkinSlider::LabelDrawn() const {
  return m_vertical && isEnabled() && !m_channel.isNull() && !m_channel2.isNull() && m_labelShown;
}

bool CSkinSlider::AlternativeThumbShown() const {
  return (m_thumbMode == 1 && m_pressed) || (m_thumbMode == 2 && m_pos == m_referencePos);
}

QSize CSkinSlider::sizeHint() const {
  if (!m_channel.isNull()) {
    return LogicalSize(m_channel);
  }
  return m_vertical ? QSize(44, 220) : QSize(200, 28);
}

int CSkinSlider::Axis(const QPointF& point) const { return static_cast<int>(m_vertical ? point.y() : point.x()); }

void CSkinSlider::DragTo(int axisCoordinate) {
  const SliderGeometry g = Geometry();
  const int pixel = g.ClampPixel(axisCoordinate - m_grabOffset);
  if (pixel != g.PosToPixel(m_pos) && MoveTo(g.PixelToPos(pixel))) {
    emit SliderMoving(m_id, m_pos);
  }
}

void CSkinSlider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) {
    return;
  }
  if (m_vertical && !ThumbRect().contains(event->position().toPoint())) {
    return;
  }
  setFocus(Qt::MouseFocusReason);
  m_pressed = true;
  const SliderGeometry g = Geometry();
  m_grabOffset = g.GrabOffset(Axis(event->position()), g.PosToPixel(m_pos));
  DragTo(Axis(event->position()));
  update();
}

void CSkinSlider::mouseMoveEvent(QMouseEvent* event) {
  if (m_pressed && isEnabled()) {
    DragTo(Axis(event->position()));
  }
}

void CSkinSlider::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_pressed || !isEnabled()) {
    return;
  }
  EndHold();
}

void CSkinSlider::EndHold() {
  if (!m_pressed) {
    return;
  }
  m_pressed = false;
  update();
  emit SliderReleased(m_id, m_pos);
}

bool CSkinSlider::event(QEvent* event) {
  if (BreaksHold(event->type())) {
    EndHold();
  } else if (event->type() == QEvent::EnabledChange && !isEnabled()) {
    m_pressed = false;  // a disabled slider reports nothing, and no release reaches it
  }
  return QWidget::event(event);
}

void CSkinSlider::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) {
    return;
  }
  emit SliderDblClk(m_id, m_pos);
  update();
}

void CSkinSlider::keyPressEvent(QKeyEvent* event) {
  if (!isEnabled()) {
    event->ignore();
    return;
  }
  SliderKey key;
  switch (event->key()) {
    case Qt::Key_PageUp: key = SliderKey::PageUp; break;
    case Qt::Key_PageDown: key = SliderKey::PageDown; break;
    case Qt::Key_Home: key = SliderKey::Home; break;
    case Qt::Key_End: key = SliderKey::End; break;
    case Qt::Key_Up: key = SliderKey::Up; break;
    case Qt::Key_Down: key = SliderKey::Down; break;
    case Qt::Key_Left: key = SliderKey::Left; break;
    case Qt::Key_Right: key = SliderKey::Right; break;
    default: QWidget::keyPressEvent(event); return;
  }
  MoveTo(Geometry().KeyStep(key, m_pos, m_pageStep));
  emit SliderReleased(m_id, m_pos);
}

void CSkinSlider::enterEvent(QEnterEvent* event) {
  m_wheelGate.PointerEntered(WheelClockMs());
  QWidget::enterEvent(event);
}

void CSkinSlider::leaveEvent(QEvent* event) {
  m_wheelGate.PointerLeft();
  QWidget::leaveEvent(event);
}

void CSkinSlider::wheelEvent(QWheelEvent* event) {
  // A pointer passing over while the page scrolls leaves the value alone: the page scrolls on.
  const bool modifier = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
  if (!isEnabled() || m_pressed || !m_wheelGate.TakesWheel(WheelClockMs(), modifier)) {
    event->ignore();
    return;
  }
  m_wheelSum += event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
  while (std::abs(m_wheelSum) >= 120) {
    const bool away = m_wheelSum > 0;
    m_wheelSum += away ? -120 : 120;
    // Away from the user moves the thumb up on a fader and right on a horizontal slider.
    const SliderKey key =
        m_vertical ? (away ? SliderKey::Up : SliderKey::Down) : (away ? SliderKey::Right : SliderKey::Left);
    MoveTo(Geometry().KeyStep(key, m_pos, m_pageStep));
    emit SliderReleased(m_id, m_pos);
  }
  event->accept();
}

void CSkinSlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!isEnabled()) {
    return;  // a disabled slider shows only its background
  }
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const int centre = Geometry().PosToPixel(m_pos);
  PaintChannel(painter, centre);
  if (LabelDrawn()) {
    painter.setFont(UiFontPx(11, true));
    painter.setPen(SkinTheme::Current().Color("slider.label"));
    painter.drawText(QRect(0, height() - m_labelBand, width(), m_labelBand), Qt::AlignHCenter | Qt::AlignTop,
                     LabelText());
  }
  PaintThumb(painter);
  if (hasFocus()) PaintFocusRing(painter, rect());
}

void CSkinSlider::PaintChannel(QPainter& painter, int centre) {
  const SkinTheme& theme = SkinTheme::Current();
  if (!m_channel.isNull()) {
    if (m_channel2.isNull()) {
      painter.drawPixmap(rect(), m_channel);
      return;
    }
    // Far part (below / right of the thumb centre) from the first image, start part from the second.
    const QRect farPart =
        m_vertical ? QRect(0, centre, width(), height() - centre) : QRect(centre, 0, width() - centre, height());
    const QRect startPart = m_vertical ? QRect(0, 0, width(), centre) : QRect(0, 0, centre, height());
    const double sx = m_channel.width() / double(width());
    const double sy = m_channel.height() / double(height());
    auto source = [&](const QRect& r) { return QRectF(r.x() * sx, r.y() * sy, r.width() * sx, r.height() * sy); };
    painter.drawPixmap(QRectF(farPart), m_channel, source(farPart));
    painter.drawPixmap(QRectF(startPart), m_channel2, source(startPart));
    return;
  }
  // Painted channel: a dark slot along the thumb's travel with ticks and a lit part.
  const SliderGeometry g = Geometry();
  const QRectF slot = SlotRect();
  QRectF lit;  // from the thumb to the far end on a fader, from the start to the thumb otherwise
  if (m_vertical) {
    const double last = slot.bottom() - 2;
    lit = QRectF(slot.left() + 1, centre, kSlotWidth - 2, last + 1 - centre);
  } else {
    const double first = slot.left() + 2;
    lit = QRectF(first - 1, slot.top() + 1, centre - first + 1, kSlotWidth - 2);
  }
  painter.setPen(Qt::NoPen);
  painter.setPen(QPen(theme.Color("slider.tick"), 1));
  for (int i = 0; i < kTickCount; ++i) {
    const int p = g.PosToPixel(m_min + (m_max - m_min) * i / (kTickCount - 1));
    const int len = (i % 5 == 0) ? 9 : 5;
    if (m_vertical) {
      const double left = slot.left() - 4;
      const double right = slot.right() + 4;
      painter.drawLine(QPointF(left - len, p + 0.5), QPointF(left, p + 0.5));
      painter.drawLine(QPointF(right, p + 0.5), QPointF(right + len, p + 0.5));
    } else {
      const double top = slot.top() - 4;
      painter.drawLine(QPointF(p + 0.5, top - len), QPointF(p + 0.5, top));
    }
  }
  painter.setPen(QPen(theme.Color("slider.slot.edge"), 1));
  painter.setBrush(theme.Color("slider.slot"));
  painter.drawRoundedRect(slot, 3, 3);
  painter.setPen(Qt::NoPen);
  painter.setBrush(theme.Color("slider.fill"));
  painter.drawRoundedRect(lit, 2, 2);
}

void CSkinSlider::PaintThumb(QPainter& painter) {
  const QRect thumb = ThumbRect();
  const bool alternative = AlternativeThumbShown();
  if (!m_thumb.isNull()) {
    painter.drawPixmap(thumb, alternative && !m_thumbAlt.isNull() ? m_thumbAlt : m_thumb);
  } else {
    // A console fader cap: light top edge, ridged grip, a centre line that lights when held.
    const SkinTheme& theme = SkinTheme::Current();
    const QRectF cap = QRectF(thumb).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient shade(cap.topLeft(), m_vertical ? cap.bottomLeft() : cap.topRight());
    const QColor base = theme.Color("slider.cap");
    shade.setColorAt(0.0, base.lighter(115));
    shade.setColorAt(0.45, base.darker(110));
    shade.setColorAt(0.55, base.darker(150));
    shade.setColorAt(1.0, base.darker(125));
    painter.setPen(QPen(QColor(0, 0, 0, 200), 1));
    painter.setBrush(shade);
    painter.drawRoundedRect(cap, 3, 3);
    painter.setPen(QPen(QColor(0, 0, 0, 70), 1));
    const int ridges = 3;
    for (int i = 1; i <= ridges; ++i) {
      const double off = i * (m_vertical ? cap.height() : cap.width()) / 10.0;
      if (m_vertical) {
        painter.drawLine(QPointF(cap.left() + 3, cap.top() + off), QPointF(cap.right() - 3, cap.top() + off));
        painter.drawLine(QPointF(cap.left() + 3, cap.bottom() - off), QPointF(cap.right() - 3, cap.bottom() - off));
      } else {
        painter.drawLine(QPointF(cap.left() + off, cap.top() + 3), QPointF(cap.left() + off, cap.bottom() - 3));
        painter.drawLine(QPointF(cap.right() - off, cap.top() + 3), QPointF(cap.right() - off, cap.bottom() - 3));
      }
    }
    painter.setPen(QPen(alternative ? theme.Color("accent") : theme.Color("slider.cap.line"), 2));
    const QPointF mid = cap.center();
    if (m_vertical) {
      painter.drawLine(QPointF(cap.left() + 2, mid.y()), QPointF(cap.right() - 2, mid.y()));
    } else {
      painter.drawLine(QPointF(mid.x(), cap.top() + 2), QPointF(mid.x(), cap.bottom() - 2));
    }
  }
  if (m_vertical && m_thumbNumber > 0) {
    painter.setFont(UiFontPx(11, true));
    painter.setPen(SkinTheme::Current().Color("slider.thumb.number"));
    const int third = thumb.height() / 6;
    painter.drawText(thumb.adjusted(0, third, 0, -third), Qt::AlignCenter | Qt::TextSingleLine,
                     QString::number(m_thumbNumber));
  }
}

}  // namespace orvx
