#pragma once
/// Image buttons of the shell, made one way so every page looks the same.

#include <QString>

#include "ui/PngButton.h"

namespace orvx {

/// Skin faces (see res/): plain keys, keys that light when checked, and the big group keys.
enum class ButtonLook { Key, Toggle, Mute, Status, Group, View };

/// A caption button with the faces of `look`.
PngButton* MakeShellButton(const QString& caption, ButtonLook look, QWidget* parent);

}  // namespace orvx
