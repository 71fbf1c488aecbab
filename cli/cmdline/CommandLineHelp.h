#pragma once

#include <string>

namespace orvx {

/// --help (or -h) on a program or one of its commands: the text to print, exit 0.
struct CommandLineHelp {
  std::string text;
};

}  // namespace orvx
