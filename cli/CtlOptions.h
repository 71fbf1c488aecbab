#pragma once
/// Command line of orvxctl: global options, then one command.
///
///   orvxctl --device IP [--port N] [--local-ip IP] [--local-port N] [--timeout S] [--json] COMMAND
///   COMMAND: status | get in|out N level|mute|name | set in|out N level|mute|name VALUE
///            | monitor [--seconds N]

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace orvx {

enum class CtlCommand { Status, Get, Set, Monitor };
enum class CtlProperty { Level, Mute, Name };

struct CtlOptions {
  std::string deviceIp;
  std::string localIp = "0.0.0.0";
  std::uint16_t localPort = 0;
  std::uint16_t port = 39030;
  double timeoutS = 16;  ///< covers the three connection attempts (0, 5, 10 s) and the give-up at 15 s
  bool json = false;

  CtlCommand command = CtlCommand::Status;
  bool input = true;     ///< get/set: "in" (1..12) or "out" (1..8)
  int number = 0;
  CtlProperty property = CtlProperty::Level;
  std::string value;     ///< set: the raw value text (level 0..70, mute 0|1, name UTF-8)
  double seconds = 5;    ///< monitor
};

/// Exit codes of orvxctl.
enum CtlExit : int {
  kExitOk = 0,
  kExitFailure = 1,      ///< anything else (e.g. the socket cannot be opened)
  kExitBadArguments = 2,
  kExitNoAnswer = 3,     ///< no answer / "CANNOT CONNECT."
  kExitOldFirmware = 4,  ///< "Please update your device."
};

std::variant<CtlOptions, std::string> ParseCtlOptions(const std::vector<std::string>& args);
std::string CtlUsage();

}  // namespace orvx
