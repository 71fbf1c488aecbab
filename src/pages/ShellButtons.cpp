#include "pages/ShellButtons.h"

namespace orvx {

PngButton* MakeShellButton(const QString& caption, ButtonLook look, QWidget* parent) {
  auto* b = new PngButton(caption, parent);
  switch (look) {
    case ButtonLook::Key:
      b->SetMode(PngButton::Push);
      b->SetImages(QStringLiteral("button_normal"), QStringLiteral("button_pressed"));
      break;
    case ButtonLook::Toggle:
      b->SetImages(QStringLiteral("button_normal"), QStringLiteral("button_checked"));
      break;
    case ButtonLook::Mute:
      b->SetImages(QStringLiteral("button_normal"), QStringLiteral("button_mute"));
      break;
    case ButtonLook::Group:
      b->SetImages(QStringLiteral("group_normal"), QStringLiteral("group_checked"));
      b->SetCaptionSize(11);
      break;
    case ButtonLook::View:
      b->SetImages(QStringLiteral("view_normal"), QStringLiteral("view_checked"));
      b->SetCaptionSize(11);
      break;
  }
  b->SetSizeMode(0);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

}  // namespace orvx
