#pragma once
/// The editors' graphs: a plot area with a dB axis, an x axis (log frequency, bands or dB) and
/// points the operator drags. A graph reports where a point is dragged to, in the axes' units;
/// the editor turns that into values through the change path and sets the points from the state.

#include <QWidget>
#include <functional>
#include <vector>

namespace orvx {

class CGraphView : public QWidget {
  Q_OBJECT
public:
  struct Axis {
    double min = 0;
    double max = 1;
    bool log = false;
  };
  struct Label {
    double at;
    QString text;
  };
  struct Point {
    double x = 0;
    double y = 0;
    bool shown = true;
    bool movesX = true;  ///< false: only up and down
    bool movesY = true;  ///< false: only left and right
    QString caption;     ///< drawn inside the point ("1" .. "4", "H", "L")
  };

  explicit CGraphView(QWidget* parent = nullptr);

  void SetAxes(Axis x, Axis y);
  void SetXLabels(std::vector<Label> labels);
  void SetYLabels(std::vector<Label> labels);
  /// The curve as (x, y) pairs in the axes' units.
  void SetCurve(std::vector<QPointF> curve);
  void SetPoints(std::vector<Point> points);
  const std::vector<Point>& Points() const { return m_points; }
  /// The point being dragged, -1 when none.
  int HeldPoint() const { return m_held; }

  /// The plot area inside the widget: a twentieth of the width left and right, a twentieth of the
  /// height on top and a tenth at the bottom (room for the frequency labels).
  QRectF PlotRect() const;
  QPointF ToPixel(double x, double y) const;
  QPointF FromPixel(QPointF pixel) const;

signals:
  /// A point moves under the operator's hand / was let go, with its new place in the axes' units.
  void PointDragged(int index, double x, double y);
  void PointReleased(int index, double x, double y);
  /// A double click on a point (a graphic EQ band goes back to 0 dB).
  void PointDoubleClicked(int index);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  /// Drawn between the grid and the points (a graph's own marks).
  virtual void PaintExtras(QPainter&) {}

private:
  QFont LabelFont() const;
  QRectF ComputePlotRect() const;
  int PointAt(QPointF pixel) const;
  /// Where the held point goes for a mouse position, inside the axes.
  QPointF DragTarget(QPointF pixel) const;
  double MapX(double x) const;
  double UnmapX(double t) const;

  Axis m_x, m_y;
  std::vector<Label> m_xLabels, m_yLabels;
  std::vector<QPointF> m_curve;
  std::vector<Point> m_points;
  int m_held = -1;
  mutable QSize m_plotFor;  ///< the size m_plot was computed for
  mutable QRectF m_plot;
};

}  // namespace orvx
