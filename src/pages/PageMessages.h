#pragma once
/// Message boxes of the pages: window-modal and opened without a nested event loop, so the
/// supervision timer, the meters and a running plan's progress go on while one is open.

#include <QMessageBox>
#include <QString>
#include <functional>

namespace orvx {

/// Object name of every box these open (tests find the open one by it).
inline constexpr const char* kPageMessageName = "PageMessage";

/// A notice with an OK button. An empty title takes the window's caption.
QMessageBox* ShowNotice(QWidget* parent, const QString& text, const QString& title = {},
                        QMessageBox::Icon icon = QMessageBox::Information);

/// A question with OK and Cancel and the exclamation icon; `onOk` runs only after OK, `onCancel`
/// after anything else (Cancel, Escape, the box closed).
QMessageBox* AskOkCancel(QWidget* parent, const QString& text, std::function<void()> onOk,
                         std::function<void()> onCancel = {});

/// A question with one button per choice (the first is the default) and Cancel; `onChoice` gets
/// the index of the choice pressed and is not called on Cancel.
QMessageBox* AskChoice(QWidget* parent, const QString& text, const QStringList& choices,
                       std::function<void(int)> onChoice);

/// The box these opened under `parent` that is still open, if any.
QMessageBox* OpenPageMessage(const QWidget* parent);

}  // namespace orvx
