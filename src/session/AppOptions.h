#pragma once
/// Command-line options of orvx-editor. Parsed without Qt so the rules are tested alone.

#include <optional>
#include <string>
#include <vector>

#include "core/DeviceState.h"
#include "core/TextParse.h"

namespace orvx {

struct AppOptions {
  bool demo = false;
  bool help = false;
  std::optional<std::string> deviceIp;      ///< --device (overrides the profile for this run)
  std::optional<std::string> localIp;       ///< --local-ip
  std::optional<std::string> dataDir;       ///< --data-dir
  std::optional<Language> language;         ///< --lang en|zh
  std::optional<std::string> searchSubnet;  ///< "a.b.c"
  std::optional<std::string> screenshotDir;
  int screenshotWidth = 1920;
  int screenshotHeight = 1080;
  std::string screenshotOnly;  ///< empty: every view

  /// Where the demo puts the simulator and the editor: loopback only.
  static constexpr const char* kDemoDeviceIp = "127.0.0.2";
  static constexpr const char* kDemoLocalIp = "127.0.0.1";
  static constexpr int kDemoPort = 39030;
};

struct AppOptionsResult {
  AppOptions options;
  std::string error;  ///< empty on success
};

/// Parses argv (without the program name). Unknown options and bad values are errors;
/// addresses must be dotted quads.
AppOptionsResult ParseAppOptions(const std::vector<std::string>& args);

/// Usage text for --help and errors.
std::string AppUsage();

}  // namespace orvx
