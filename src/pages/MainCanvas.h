#pragma once
/// The main window's surfaces: the fixed header (top bar and product mark) and the scrolled body
/// under it (background only: a top bar of 0).

#include <QWidget>

namespace orvx {

class CMainCanvas : public QWidget {
  Q_OBJECT
public:
  static constexpr int kWideEnoughForSubtitle = 1280;
  explicit CMainCanvas(QWidget* parent = nullptr) : QWidget(parent) {}
  /// Height of the top bar that holds the fixed controls.
  void SetTopBarHeight(int height) {
    m_topBar = height;
    update();
  }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  int m_topBar = 190;
};

}  // namespace orvx
