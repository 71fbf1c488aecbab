#include "pages/PageMessages.h"

#include "pages/ShellStyle.h"

#include <QPushButton>
#include <algorithm>
#include <vector>

namespace orvx {
namespace {

QMessageBox* OpenBox(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& title,
                     QMessageBox::StandardButtons buttons) {
  QString caption = title;
  if (caption.isEmpty() && parent) caption = parent->window()->windowTitle();
  auto* box = new QMessageBox(icon, caption, text, buttons, parent);
  box->setObjectName(QLatin1String(kPageMessageName));
  ApplyDialogStyle(box);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
  return box;
}

}  // namespace

QMessageBox* ShowNotice(QWidget* parent, const QString& text, const QString& title, QMessageBox::Icon icon) {
  return OpenBox(parent, icon, text, title, QMessageBox::Ok);
}

QMessageBox* AskOkCancel(QWidget* parent, const QString& text, std::function<void()> onOk,
                         std::function<void()> onCancel) {
  QMessageBox* box = OpenBox(parent, QMessageBox::Warning, text, {}, QMessageBox::Ok | QMessageBox::Cancel);
  QObject::connect(box, &QMessageBox::finished, box,
                   [box, onOk = std::move(onOk), onCancel = std::move(onCancel)](int) {
                     const std::function<void()>& then =
                         box->clickedButton() == box->button(QMessageBox::Ok) ? onOk : onCancel;
                     if (then) then();
                   });
  return box;
}

QMessageBox* AskChoice(QWidget* parent, const QString& text, const QStringList& choices,
                       std::function<void(int)> onChoice) {
  QMessageBox* box = OpenBox(parent, QMessageBox::Question, text, {}, QMessageBox::Cancel);
  std::vector<QAbstractButton*> buttons;
  for (const QString& choice : choices) buttons.push_back(box->addButton(choice, QMessageBox::AcceptRole));
  if (!buttons.empty()) box->setDefaultButton(static_cast<QPushButton*>(buttons.front()));
  QObject::connect(box, &QMessageBox::finished, box, [box, buttons, onChoice = std::move(onChoice)](int) {
    const auto at = std::find(buttons.begin(), buttons.end(), box->clickedButton());
    if (at != buttons.end() && onChoice) onChoice(static_cast<int>(at - buttons.begin()));
  });
  return box;
}

QMessageBox* OpenPageMessage(const QWidget* parent) {
  for (QMessageBox* box : parent->findChildren<QMessageBox*>(QLatin1String(kPageMessageName))) {
    if (box->isVisible()) return box;
  }
  return nullptr;
}

}  // namespace orvx
