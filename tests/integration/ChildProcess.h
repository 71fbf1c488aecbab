#pragma once
/// Runs the built programs (ORVX_BIN_DIR) for end-to-end tests: a background simulator whose first
/// output line gives its port, and a command run to completion with its output and exit code.

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace orvx {

/// The directory of the built programs (ORVX_BIN_DIR, as ctest sets it).
std::string BinDir();

/// orvx-sim in the background; stopped (SIGTERM, then waited for) by the destructor.
class CSimProcess {
public:
  /// Starts BinDir()/orvx-sim with `args` (plus "--port 0" unless they give a port); waits
  /// (bounded) for its port line.
  explicit CSimProcess(const std::vector<std::string>& args);
  ~CSimProcess();
  CSimProcess(const CSimProcess&) = delete;
  CSimProcess& operator=(const CSimProcess&) = delete;

  std::uint16_t Port() const { return m_port; }

private:
  pid_t m_pid = -1;
  std::uint16_t m_port = 0;
};

struct CommandResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

/// Runs BinDir()/program with args to completion (the programs bound their own run time).
CommandResult RunProgram(const std::string& program, const std::vector<std::string>& args);

}  // namespace orvx
