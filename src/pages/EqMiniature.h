#pragma once
/// A small response plot for a strip (the input's parametric EQ, the output's graphic EQ): a
/// curve in dB over a logarithmic frequency axis with a 0 dB line, clipped to its range.
/// Clicking it asks for the full editor.

#include <QWidget>
#include <vector>

namespace orvx {

class CEqMiniature : public QWidget {
  Q_OBJECT
public:
  explicit CEqMiniature(QWidget* parent = nullptr);

  /// The curve: values in dB at rising frequencies in Hz (the two of equal length).
  void SetCurve(std::vector<double> freqs, std::vector<double> db);
  /// Plotted range in dB (default -15 .. +15).
  void SetRange(double minDb, double maxDb);
  /// A bypassed equaliser keeps its curve but draws it dim.
  void SetDimmed(bool dimmed);
  const std::vector<double>& Curve() const { return m_db; }
  bool Dimmed() const { return m_dimmed; }

signals:
  void Clicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  std::vector<double> m_freqs;
  std::vector<double> m_db;
  double m_min = -15;
  double m_max = 15;
  bool m_dimmed = false;
};

}  // namespace orvx
