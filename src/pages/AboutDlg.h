#pragma once
/// The about box: program icon, "ORVX-64Q 3.2" and an OK button ("OK", in Chinese "确定").

#include <QDialog>

#include "core/DeviceState.h"

namespace orvx {

class CAboutDlg : public QDialog {
  Q_OBJECT
public:
  static constexpr const char* kProduct = "ORVX-64Q 3.2";
  explicit CAboutDlg(Language language = Language::English, QWidget* parent = nullptr);
};

}  // namespace orvx
