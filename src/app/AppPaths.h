#pragma once
/// Where the editor keeps its files: the INI profile and the data directory (XDG rules).

#include <QString>

namespace orvx {

/// $XDG_CONFIG_HOME/orvx-editor/orvx-editor.ini (XDG_CONFIG_HOME defaults to ~/.config).
QString ProfilePath();
/// $XDG_DATA_HOME/orvx-editor (defaults to ~/.local/share/orvx-editor), or `overrideDir`.
QString DataDirectory(const QString& overrideDir);
/// Creates the directory if needed; false when it cannot be created.
bool EnsureDirectory(const QString& dir);

}  // namespace orvx
