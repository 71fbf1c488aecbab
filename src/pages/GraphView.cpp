#include "pages/GraphView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "ui/SkinTheme.h"
#include "ui/UiFont.h"

namespace orvx {
namespace {

constexpr double kPointRadius = 9;
constexpr double kGrabRadius = 14;

}  // namespace

CGraphView::CGraphView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(false);
}

void CGraphView::SetAxes(Axis x, Axis y) {
  m_x = x;
  m_y = y;
  update();
}

void CGraphView::SetXLabels(std::vector<Label> labels) {
  m_xLabels = std::move(labels);
  update();
}

void CGraphView::SetYLabels(std::vector<Label> labels) {
  m_yLabels = std::move(labels);
  m_plotFor = QSize();  // the left margin follows the widest label
  update();
}

void CGraphView::SetCurve(std::vector<QPointF> curve) {
  if (curve == m_curve) return;
  m_curve = std::move(curve);
  update();
}

void CGraphView::SetPoints(std::vector<Point> points) {
  // The held point stays under the hand: a refresh from the state does not move it back.
  if (m_held >= 0 && m_held < static_cast<int>(points.size()) && m_held < static_cast<int>(m_points.size())) {
    points[static_cast<std::size_t>(m_held)].x = m_points[static_cast<std::size_t>(m_held)].x;
    points[static_cast<std::size_t>(m_held)].y = m_points[static_cast<std::size_t>(m_held)].y;
  }
  m_points = std::move(points);
  update();
}

QFont CGraphView::LabelFont() const { return UiFontPx(std::clamp(height() / 26, 10, 14)); }

QRectF CGraphView::PlotRect() const {
  if (m_plotFor != size()) {
    m_plotFor = size();
    m_plot = ComputePlotRect();
  }
  return m_plot;
}

QRectF CGraphView::ComputePlotRect() const {
  const double w = width(), h = height();
  // A twentieth of the width on each side, wider on the left where a label needs it.
  double labels = 0;
  const QFontMetricsF fm(LabelFont());
  for (const Label& l : m_yLabels) labels = std::max(labels, fm.horizontalAdvance(l.text) + 8);
  const double left = std::max(w / 20, labels);
  return {left, h / 20, w - left - w / 20, h - h / 20 - h / 10};
}

double CGraphView::MapX(double x) const {
  if (m_x.log) return std::log10(std::max(x, 1e-9) / m_x.min) / std::log10(m_x.max / m_x.min);
  return (x - m_x.min) / (m_x.max - m_x.min);
}

double CGraphView::UnmapX(double t) const {
  if (m_x.log) return m_x.min * std::pow(m_x.max / m_x.min, t);
  return m_x.min + t * (m_x.max - m_x.min);
}

QPointF CGraphView::ToPixel(double x, double y) const {
  const QRectF p = PlotRect();
  const double ty = (std::clamp(y, m_y.min, m_y.max) - m_y.min) / (m_y.max - m_y.min);
  return {p.left() + p.width() * MapX(x), p.bottom() - p.height() * ty};
}

QPointF CGraphView::FromPixel(QPointF pixel) const {
  const QRectF p = PlotRect();
  const double tx = (pixel.x() - p.left()) / p.width();
  const double ty = (p.bottom() - pixel.y()) / p.height();
  return {UnmapX(tx), m_y.min + ty * (m_y.max - m_y.min)};
}

void CGraphView::paintEvent(QPaintEvent*) {
  const SkinTheme& theme = SkinTheme::Current();
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), theme.Color("meter.bg"));
  const QRectF plot = PlotRect();
  p.setFont(LabelFont());
  const QFontMetricsF fm(p.font());

  // Grid and labels.
  for (const Label& l : m_yLabels) {
    const double y = ToPixel(m_x.min, l.at).y();
    p.setPen(QPen(theme.Color("panel.edge"), 1));
    p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    p.setPen(theme.Color("text.dim"));
    p.drawText(QRectF(0, y - fm.height() / 2, plot.left() - 4, fm.height()), Qt::AlignRight | Qt::AlignVCenter, l.text);
  }
  for (const Label& l : m_xLabels) {
    const double x = ToPixel(l.at, m_y.min).x();
    p.setPen(QPen(theme.Color("panel.edge"), 1));
    p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    p.setPen(theme.Color("text.dim"));
    const double w = fm.horizontalAdvance(l.text) + 4;
    p.drawText(QRectF(x - w / 2, plot.bottom() + 2, w, fm.height()), Qt::AlignCenter, l.text);
  }
  p.setPen(QPen(theme.Color("text.dim"), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(plot);

  PaintExtras(p);

  if (m_curve.size() >= 2) {
    QPainterPath path;
    path.moveTo(ToPixel(m_curve.front().x(), m_curve.front().y()));
    for (std::size_t i = 1; i < m_curve.size(); ++i) path.lineTo(ToPixel(m_curve[i].x(), m_curve[i].y()));
    p.save();
    p.setClipRect(plot);
    p.setPen(QPen(theme.Color("accent"), 2.5));
    p.drawPath(path);
    p.restore();
  }

  p.setFont(UiFontPx(11, true));
  for (std::size_t i = 0; i < m_points.size(); ++i) {
    const Point& pt = m_points[i];
    if (!pt.shown) continue;
    const QPointF c = ToPixel(pt.x, pt.y);
    const bool held = static_cast<int>(i) == m_held;
    p.setPen(QPen(theme.Color("text"), held ? 2.5 : 1.5));
    p.setBrush(held ? theme.Color("accent") : theme.Color("panel.bg"));
    p.drawEllipse(c, kPointRadius, kPointRadius);
    p.setPen(theme.Color("text"));
    p.drawText(QRectF(c.x() - kPointRadius, c.y() - kPointRadius, 2 * kPointRadius, 2 * kPointRadius), Qt::AlignCenter,
               pt.caption);
  }
}

int CGraphView::PointAt(QPointF pixel) const {
  int best = -1;
  double bestDistance = kGrabRadius;
  for (std::size_t i = 0; i < m_points.size(); ++i) {
    if (!m_points[i].shown) continue;
    const QPointF d = ToPixel(m_points[i].x, m_points[i].y) - pixel;
    const double distance = std::hypot(d.x(), d.y());
    if (distance <= bestDistance) {
      best = static_cast<int>(i);
      bestDistance = distance;
    }
  }
  return best;
}

QPointF CGraphView::DragTarget(QPointF pixel) const {
  const QRectF plot = PlotRect();
  const QPointF inside(std::clamp(pixel.x(), plot.left(), plot.right()), std::clamp(pixel.y(), plot.top(), plot.bottom()));
  QPointF at = FromPixel(inside);
  const Point& pt = m_points[static_cast<std::size_t>(m_held)];
  if (!pt.movesX) at.setX(pt.x);
  if (!pt.movesY) at.setY(pt.y);
  return at;
}

void CGraphView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  m_held = PointAt(event->position());
  update();
}

void CGraphView::mouseMoveEvent(QMouseEvent* event) {
  if (m_held < 0) return;
  const QPointF at = DragTarget(event->position());
  Point& pt = m_points[static_cast<std::size_t>(m_held)];
  pt.x = at.x();
  pt.y = at.y();
  update();
  emit PointDragged(m_held, at.x(), at.y());
}

void CGraphView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || m_held < 0) return;
  const int index = m_held;
  const Point pt = m_points[static_cast<std::size_t>(index)];
  m_held = -1;
  update();
  emit PointReleased(index, pt.x, pt.y);
}

void CGraphView::mouseDoubleClickEvent(QMouseEvent* event) {
  const int index = PointAt(event->position());
  m_held = -1;
  if (index >= 0) emit PointDoubleClicked(index);
}

}  // namespace orvx
