#pragma once
/// Command-line options of orvx-sim.

#include "CommandLineHelp.h"
#include "SimServer.h"

#include <string>
#include <variant>
#include <vector>

namespace orvx {

struct SimOptions {
  SimServerSettings server;
  bool quiet = false;
  double durationS = 0;    ///< 0: run until "quit" or end of input
  std::string scriptPath;  ///< console lines to run at start ("wait MS" paces them)
};

/// Printed under an error instead of the whole usage.
inline constexpr const char* kSimHelpHint = "Run 'orvx-sim --help' for the options.";

/// Parses the arguments after the program name: the options, an error (one line naming the bad
/// word), or the help asked for (--help or -h).
std::variant<SimOptions, std::string, CommandLineHelp> ParseSimOptions(const std::vector<std::string>& args);

}  // namespace orvx
