#pragma once
/// The scrolled surface of the main window: background, top bar and product mark.

#include <QWidget>

namespace orvx {

class CMainCanvas : public QWidget {
  Q_OBJECT
public:
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
