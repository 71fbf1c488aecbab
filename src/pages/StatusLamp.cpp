#include "pages/StatusLamp.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>

#include "ui/SkinTheme.h"

namespace orvx {

CStatusLamp::CStatusLamp(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::PointingHandCursor);
  setAttribute(Qt::WA_TranslucentBackground);
}

void CStatusLamp::SetLit(bool lit) {
  if (lit == m_lit) return;
  m_lit = lit;
  update();
}

void CStatusLamp::paintEvent(QPaintEvent*) {
  const SkinTheme& theme = SkinTheme::Current();
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal d = std::min(width(), height()) - 6.0;
  const QRectF lamp((width() - d) / 2.0, (height() - d) / 2.0, d, d);
  const QColor on = theme.Color("meter.zone1.lit");
  const QColor off = theme.Color("meter.zone1.unlit");
  if (m_lit) {
    QRadialGradient glow(lamp.center(), d * 0.75);
    QColor halo = on;
    halo.setAlpha(90);
    glow.setColorAt(0.6, halo);
    glow.setColorAt(1.0, Qt::transparent);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(lamp.center(), d * 0.75, d * 0.75);
  }
  QRadialGradient body(lamp.center() - QPointF(d * 0.15, d * 0.15), d * 0.7);
  const QColor base = m_lit ? on : off;
  body.setColorAt(0.0, base.lighter(m_lit ? 160 : 120));
  body.setColorAt(1.0, base.darker(m_lit ? 110 : 160));
  p.setPen(QPen(theme.Color("panel.edge"), 1.5));
  p.setBrush(body);
  p.drawEllipse(lamp);
}

void CStatusLamp::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Clicked();
}

}  // namespace orvx
