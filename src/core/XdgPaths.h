#pragma once
/// Where the programs keep their files, by the XDG rules: the profile under $XDG_CONFIG_HOME, the
/// data directory (the preset library, scenes, kept values) under $XDG_DATA_HOME. A relative value
/// of a variable is ignored, as the rules say, and ~/.config or ~/.local/share stand in. The editor
/// and orvxctl read the same places through these.

#include <string>

namespace orvx {

/// The directory a variable names, or `fallbackUnderHome` under the home directory.
std::string XdgDirectory(const char* variable, const char* fallbackUnderHome);

/// $XDG_DATA_HOME/orvx-editor, or `overrideDir` (made absolute) when it is not empty.
std::string DataDirectoryPath(const std::string& overrideDir = {});

}  // namespace orvx
