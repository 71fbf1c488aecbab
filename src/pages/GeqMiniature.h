#pragma once
/// The output strip's miniature of its graphic-EQ response: a small curve over a 0 dB line.
/// Clicking it asks for the graphic-EQ editor.

#include <QWidget>
#include <vector>

#include "core/DeviceState.h"

namespace orvx {

class CGeqMiniature : public QWidget {
  Q_OBJECT
public:
  explicit CGeqMiniature(QWidget* parent = nullptr);

  /// Recomputes the curve from the output's band gains.
  void ShowOutput(const OutputChannel& output);
  const std::vector<double>& Curve() const { return m_curve; }

signals:
  void Clicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  std::vector<double> m_curve;
  bool m_enabled = false;
};

}  // namespace orvx
