#pragma once
/// Command-line options of orvx-sim.

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
  bool help = false;
};

/// Parses the arguments after the program name. Returns the options or an error text.
std::variant<SimOptions, std::string> ParseSimOptions(const std::vector<std::string>& args);

/// The usage text.
std::string SimUsage();

}  // namespace orvx
