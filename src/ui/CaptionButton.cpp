#include "ui/CaptionButton.h"

#include "ui/SkinTheme.h"

#include <QPainter>
#include <QPainterPath>

namespace orvx {

namespace {
int Index(CaptionState state) { return static_cast<int>(state); }
}  // namespace

CaptionButtonStyle CaptionButtonStyle::FromTheme(const QString& name) {
  const SkinTheme& t = SkinTheme::Current();
  CaptionButtonStyle s;
  s.name = name;
  s.radius = 4;
  s.border = {t.Color("caption.border"), t.Color("caption.border.over"), t.Color("caption.border.over"),
              t.Color("caption.border")};
  s.fill = {QColor(), t.Color("caption.fill.over"), t.Color("caption.fill.down"), t.Color("caption.fill.gray")};
  s.glyph = {t.Color("caption.glyph"), t.Color("caption.glyph.over"), t.Color("caption.glyph.over"),
             t.Color("caption.glyph.gray")};
  s.focusRing = false;
  s.focusColor = t.Color("caption.focus");
  return s;
}

CCaptionButton::CCaptionButton(QWidget* parent) : QAbstractButton(parent) {
  setAttribute(Qt::WA_Hover);
  m_style = CaptionButtonStyle::FromTheme("exit");
}

void CCaptionButton::SetStyle(const CaptionButtonStyle& style, bool redraw) {
  m_style = style;
  if (redraw) {
    update();
  }
}

CaptionState CCaptionButton::State() const { return ChooseCaptionState(isEnabled(), m_hovered, isDown()); }

bool CCaptionButton::SwapsGlyphColors(const QString& name) {
  return name == "toped" || name == "toped_mini" || name == "maxed" || name == "maxed_mini";
}

QColor CCaptionButton::GlyphColor(CaptionState state) const {
  if (SwapsGlyphColors(m_style.name)) {
    if (state == CaptionState::Normal) {
      return m_style.glyph[Index(CaptionState::Over)];
    }
    if (state == CaptionState::Over) {
      return m_style.glyph[Index(CaptionState::Normal)];
    }
  }
  return m_style.glyph[Index(state)];
}

void CCaptionButton::enterEvent(QEnterEvent* event) {
  m_hovered = true;
  update();
  QAbstractButton::enterEvent(event);
}

void CCaptionButton::leaveEvent(QEvent* event) {
  m_hovered = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void CCaptionButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const CaptionState state = State();
  const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  painter.setPen(QPen(m_style.border[Index(state)], 1));
  const QColor fill = m_style.fill[Index(state)];
  painter.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
  painter.drawRoundedRect(box, m_style.radius, m_style.radius);
  if (m_style.focusRing && hasFocus() && isEnabled()) {
    painter.setPen(QPen(m_style.focusColor, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box.adjusted(2, 2, -2, -2), m_style.radius, m_style.radius);
  }
  QRectF glyphBox = box.adjusted(2, 2, -2, -2);
  if (state == CaptionState::Down) {
    glyphBox.translate(1, 1);
  }
  painter.setPen(QPen(GlyphColor(state), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  PaintGlyph(painter, glyphBox);
}

void CCaptionButton::PaintGlyph(QPainter& painter, const QRectF& box) const {
  QString name = m_style.name;
  const bool mini = name.endsWith("_mini");
  if (mini) {
    name.chop(5);
  }
  // The glyph lives in a centred square; the mini variants use a smaller one.
  const double side = std::min(box.width(), box.height()) * (mini ? 0.45 : 0.6);
  const QRectF g(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
  auto at = [&](double fx, double fy) { return QPointF(g.left() + fx * side, g.top() + fy * side); };
  if (name == "exit") {
    painter.drawLine(at(0, 0), at(1, 1));
    painter.drawLine(at(1, 0), at(0, 1));
  } else if (name == "max") {
    painter.drawRect(QRectF(at(0, 0), at(1, 1)));
    painter.drawLine(at(0, 0.15), at(1, 0.15));
  } else if (name == "maxed") {
    painter.drawRect(QRectF(at(0, 0.3), at(0.7, 1)));
    painter.drawPolyline(QPolygonF({at(0.3, 0.3), at(0.3, 0), at(1, 0), at(1, 0.7), at(0.7, 0.7)}));
  } else if (name == "min") {
    painter.drawLine(at(0, 0.85), at(1, 0.85));
  } else if (name == "top" || name == "toped") {
    // A pin: head, needle; pinned stands upright, unpinned leans.
    painter.save();
    painter.translate(g.center());
    painter.rotate(name == "top" ? 45 : 0);
    painter.translate(-g.center());
    painter.drawRect(QRectF(at(0.3, 0), at(0.7, 0.45)));
    painter.drawLine(at(0.15, 0.45), at(0.85, 0.45));
    painter.drawLine(at(0.5, 0.45), at(0.5, 1));
    painter.restore();
  } else if (name == "tray") {
    painter.drawPolyline(QPolygonF({at(0, 0.55), at(0, 1), at(1, 1), at(1, 0.55)}));
    painter.drawLine(at(0.5, 0), at(0.5, 0.7));
    painter.drawPolyline(QPolygonF({at(0.28, 0.48), at(0.5, 0.7), at(0.72, 0.48)}));
  } else if (name == "plus") {
    painter.drawLine(at(0.5, 0), at(0.5, 1));
    painter.drawLine(at(0, 0.5), at(1, 0.5));
  } else if (name == "menu") {
    for (double y : {0.15, 0.5, 0.85}) {
      painter.drawLine(at(0, y), at(1, y));
    }
  } else if (name == "color") {
    const QColor pen = painter.pen().color();
    painter.setBrush(pen);
    painter.drawEllipse(QRectF(at(0, 0), at(0.55, 0.55)));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(at(0.45, 0.45), at(1, 1)));
  }
}

}  // namespace orvx
