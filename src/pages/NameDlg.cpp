#include "pages/NameDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "pages/ShellStyle.h"
#include "session/ChannelName.h"
#include "ui/UiFont.h"

namespace orvx {

CNameDlg::CNameDlg(const QString& name, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("NAME"));
  auto* caption = new QLabel(QStringLiteral("NAME:"), this);
  caption->setFont(UiFont(11));
  m_edit = new QLineEdit(name, this);
  m_edit->setFont(UiFont(11));
  ApplyEditStyle(m_edit);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &CNameDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CNameDlg::reject);
  auto* row = new QHBoxLayout;
  row->addWidget(caption);
  row->addWidget(m_edit, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
  ApplyDialogStyle(this);
  resize(300, 110);
}

QString CNameDlg::Name() const { return m_edit->text(); }

void CNameDlg::accept() {
  m_refusal.clear();
  if (CheckName(Name().toStdString()) == NameResult::TooLong) {
    m_refusal = QString::fromLatin1(kTooLong);
    QMessageBox box(QMessageBox::Warning, windowTitle(), m_refusal, QMessageBox::Ok, this);
    // Tests look at LastRefusal; the box is only shown on a screen.
    if (isVisible()) box.exec();
    return;
  }
  QDialog::accept();
}

}  // namespace orvx
