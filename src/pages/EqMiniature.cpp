#include "pages/EqMiniature.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "ui/SkinTheme.h"

namespace orvx {

CEqMiniature::CEqMiniature(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::PointingHandCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CEqMiniature::SetCurve(std::vector<double> freqs, std::vector<double> db) {
  if (freqs == m_freqs && db == m_db) return;
  m_freqs = std::move(freqs);
  m_db = std::move(db);
  update();
}

void CEqMiniature::SetRange(double minDb, double maxDb) {
  m_min = minDb;
  m_max = maxDb;
  update();
}

void CEqMiniature::SetDimmed(bool dimmed) {
  if (dimmed == m_dimmed) return;
  m_dimmed = dimmed;
  update();
}

void CEqMiniature::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Clicked();
}

void CEqMiniature::paintEvent(QPaintEvent*) {
  const SkinTheme& theme = SkinTheme::Current();
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  p.setPen(QPen(theme.Color("panel.edge"), 1));
  p.setBrush(theme.Color("meter.bg"));
  p.drawRoundedRect(frame, 3, 3);

  const QRectF plot = frame.adjusted(3, 4, -3, -4);
  auto yOf = [&](double db) {
    const double t = (std::clamp(db, m_min, m_max) - m_min) / (m_max - m_min);
    return plot.bottom() - t * plot.height();
  };
  // Decade lines (100 Hz, 1 kHz, 10 kHz) and the 0 dB line.
  p.setPen(QPen(theme.Color("panel.edge"), 1));
  if (m_freqs.size() >= 2) {
    const double lo = std::log10(m_freqs.front()), span = std::log10(m_freqs.back()) - lo;
    for (double f : {100.0, 1000.0, 10000.0}) {
      const double x = plot.left() + plot.width() * (std::log10(f) - lo) / span;
      p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
  }
  p.setPen(QPen(theme.Color("text.dim"), 1, Qt::DashLine));
  p.drawLine(QPointF(plot.left(), yOf(0)), QPointF(plot.right(), yOf(0)));
  if (m_freqs.size() < 2 || m_freqs.size() != m_db.size()) return;

  const double lo = std::log10(m_freqs.front()), span = std::log10(m_freqs.back()) - lo;
  QPainterPath curve;
  for (std::size_t i = 0; i < m_freqs.size(); ++i) {
    const QPointF pt(plot.left() + plot.width() * (std::log10(m_freqs[i]) - lo) / span, yOf(m_db[i]));
    if (i == 0)
      curve.moveTo(pt);
    else
      curve.lineTo(pt);
  }
  if (!m_dimmed) {
    QPainterPath fill = curve;
    fill.lineTo(plot.right(), yOf(0));
    fill.lineTo(plot.left(), yOf(0));
    fill.closeSubpath();
    QColor shade = theme.Color("accent");
    shade.setAlpha(40);
    p.fillPath(fill, shade);
  }
  p.setPen(QPen(theme.Color(m_dimmed ? "text.dim" : "accent"), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawPath(curve);
}

}  // namespace orvx
