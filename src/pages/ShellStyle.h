#pragma once
/// Theme-coloured looks for the few stock Qt widgets the shell uses (edit fields, dialogs) and
/// the panel face the shell's own widgets paint under their content.

class QDialog;
class QProgressBar;
class QWidget;
class QLineEdit;
class QPainter;
class QRect;

namespace orvx {

/// Dark edit field in the skin's label colours.
void ApplyEditStyle(QLineEdit* edit, bool refused = false);
/// Dark dialog background, text and push buttons.
void ApplyDialogStyle(QDialog* dialog);
/// The skin's panel face: filled, with a one-pixel edge on the pixels inside `area` and rounded
/// corners. Leaves antialiasing on and the painter's pen and brush as the panel's.
void PaintPanel(QPainter& painter, const QRect& area, double radius = 4);
/// A progress bar in the shell's colours: white figures readable on both the bar and the track.
/// Hidden until shown.
QProgressBar* MakeProgressBar(QWidget* parent);

}  // namespace orvx
