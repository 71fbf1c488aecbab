#pragma once
/// The link status lamp of the main window: lit while reports arrive, dark otherwise.
/// Clicking reports to the owner, which decides (the lamp itself has no rule).

#include <QWidget>

namespace orvx {

class CStatusLamp : public QWidget {
  Q_OBJECT
public:
  explicit CStatusLamp(QWidget* parent = nullptr);
  void SetLit(bool lit);
  bool IsLit() const { return m_lit; }

signals:
  void Clicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  bool m_lit = false;
};

}  // namespace orvx
