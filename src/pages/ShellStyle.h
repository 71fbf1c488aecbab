#pragma once
/// Theme-coloured looks for the few stock Qt widgets the shell uses (edit fields, dialogs).

class QDialog;
class QLineEdit;

namespace orvx {

/// Dark edit field in the skin's label colours.
void ApplyEditStyle(QLineEdit* edit, bool refused = false);
/// Dark dialog background, text and push buttons.
void ApplyDialogStyle(QDialog* dialog);

}  // namespace orvx
