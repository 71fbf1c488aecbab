#pragma once
/// The modal name dialog: "NAME:" and one edit line; OK refuses a name over 8 bytes
/// ("Channel name is too long.") and stays open with the text unchanged.

#include <QDialog>

class QLineEdit;

namespace orvx {

class CNameDlg : public QDialog {
  Q_OBJECT
public:
  static constexpr const char* kTooLong = "Channel name is too long.";

  CNameDlg(const QString& name, QWidget* parent = nullptr);
  QString Name() const;
  QLineEdit* Edit() const { return m_edit; }
  /// The refusal text of the last OK, empty when the name was accepted.
  QString LastRefusal() const { return m_refusal; }

public slots:
  void accept() override;

private:
  QLineEdit* m_edit = nullptr;
  QString m_refusal;
};

}  // namespace orvx
