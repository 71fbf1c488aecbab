#include "pages/GeqMiniature.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "dsp/GeqResponse.h"
#include "ui/SkinTheme.h"

namespace orvx {

namespace {
constexpr int kCurvePoints = 96;
constexpr double kRangeDb = 15.0;  ///< the band gains' own range, top and bottom of the box
}  // namespace

CGeqMiniature::CGeqMiniature(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::PointingHandCursor);
  m_curve.assign(kCurvePoints, 0.0);
}

void CGeqMiniature::ShowOutput(const OutputChannel& output) {
  std::array<double, kGeqBandCount> gains{};
  for (int b = 0; b < kGeqBandCount; ++b) gains[b] = GeqGainDb(output.geq[b].gain);
  m_curve = GeqCurve(gains, kCurvePoints);
  m_enabled = output.geqOn != 0;
  update();
}

void CGeqMiniature::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Clicked();
}

void CGeqMiniature::paintEvent(QPaintEvent*) {
  const SkinTheme& theme = SkinTheme::Current();
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  p.setPen(QPen(theme.Color("panel.edge"), 1));
  p.setBrush(theme.Color("meter.bg"));
  p.drawRoundedRect(box, 3, 3);
  const QRectF plot = box.adjusted(3, 4, -3, -4);
  auto yOf = [&](double db) {
    const double clamped = std::clamp(db, -kRangeDb, kRangeDb);
    return plot.center().y() - clamped / kRangeDb * plot.height() / 2;
  };
  p.setPen(QPen(theme.Color("slider.tick"), 1, Qt::DotLine));
  p.drawLine(QPointF(plot.left(), yOf(0)), QPointF(plot.right(), yOf(0)));
  QPainterPath path;
  for (std::size_t i = 0; i < m_curve.size(); ++i) {
    const QPointF at(plot.left() + plot.width() * i / (m_curve.size() - 1), yOf(m_curve[i]));
    if (i == 0)
      path.moveTo(at);
    else
      path.lineTo(at);
  }
  // A bypassed equaliser keeps its curve but draws it dim.
  p.setPen(QPen(theme.Color(m_enabled ? "accent" : "text.dim"), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

}  // namespace orvx
