#include "pages/AboutDlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "pages/CaptionText.h"
#include "pages/ShellStyle.h"
#include "ui/UiFont.h"

namespace orvx {
namespace {
constexpr Caption kOk{"OK", "确定"};
}  // namespace

CAboutDlg::CAboutDlg(Language language, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About ORVX-64Q"));
  setObjectName(QStringLiteral("AboutDlg"));
  auto* icon = new QLabel(this);
  icon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
  auto* text = new QLabel(QString::fromLatin1(kProduct), this);
  text->setFont(UiFont(12, true));
  auto* ok = new QPushButton(CaptionText(kOk, language), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* row = new QHBoxLayout;
  row->addWidget(icon);
  row->addSpacing(12);
  row->addWidget(text, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  setFixedSize(320, 120);
  ApplyDialogStyle(this);
}

}  // namespace orvx
