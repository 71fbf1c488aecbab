#include "pages/ShellButtons.h"

namespace orvx {

PngButton* MakeShellButton(const QString& caption, ButtonLook look, QWidget* parent) {
  auto* b = new PngButton(caption, parent);
  switch (look) {
    case ButtonLook::Key:
      b->SetMode(PngButton::Push);
      b->SetImages(QStringLiteral("button_normal"), QStringLiteral("button_hover"));
      break;
    case ButtonLook::Toggle:
      b->SetImages(QStringLiteral("button_normal"), QStringLiteral("button_lit"));
      b->SetThirdImage(QStringLiteral("button_disabled"));
      break;
    case ButtonLook::Status: b->SetImages(QStringLiteral("button_normal"), QStringLiteral("button_green")); break;
    case ButtonLook::Mute: b->SetImages(QStringLiteral("button_normal"), QStringLiteral("button_red")); break;
    case ButtonLook::Group:
      b->SetImages(QStringLiteral("tab_normal"), QStringLiteral("tab_down"));
      b->SetCaptionSize(11);
      break;
    case ButtonLook::View:
      b->SetImages(QStringLiteral("tab_normal"), QStringLiteral("tab_down"));
      b->SetCaptionSize(11);
      break;
  }
  b->SetSizeMode(0);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

}  // namespace orvx
