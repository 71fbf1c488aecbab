#pragma once
/// The about box: program icon, "ORVX-64Q 3.2" and an OK button captioned "确定".

#include <QDialog>

namespace orvx {

class CAboutDlg : public QDialog {
  Q_OBJECT
public:
  static constexpr const char* kProduct = "ORVX-64Q 3.2";
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace orvx
