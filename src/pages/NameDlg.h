#pragma once
/// The modal name dialog: "NAME:" and one edit line, for one channel (the title says which). OK
/// refuses a name the processor cannot take ("Channel name is too long." with the limit, or an
/// empty name) with the reason under the field, and stays open with the text unchanged.

#include <QDialog>

#include "session/ParamTable.h"

class QLabel;
class QLineEdit;

namespace orvx {

class CNameDlg : public QDialog {
  Q_OBJECT
public:
  /// `addr` is the name's parameter (which channel or output); `name` its current text.
  CNameDlg(const QString& name, const ParamAddr& addr, Language language, QWidget* parent = nullptr);
  QString Name() const;
  QLineEdit* Edit() const { return m_edit; }
  /// The refusal text of the last OK, empty when the name was accepted.
  QString LastRefusal() const { return m_refusal; }

public slots:
  void accept() override;

private:
  ParamAddr m_addr;
  Language m_language;
  QLineEdit* m_edit = nullptr;
  QLabel* m_message = nullptr;
  QString m_refusal;
};

}  // namespace orvx
