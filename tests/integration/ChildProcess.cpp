#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

extern char** environ;

namespace orvx {
namespace {

constexpr int kStartDeadlineMs = 10000;

std::vector<char*> Argv(const std::string& exe, const std::vector<std::string>& args) {
  std::vector<char*> argv{const_cast<char*>(exe.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  return argv;
}

pid_t Spawn(const std::string& exe, const std::vector<std::string>& args, int outFd, int errFd) {
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_adddup2(&fa, outFd, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&fa, errFd, STDERR_FILENO);
  posix_spawn_file_actions_addopen(&fa, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  pid_t pid = -1;
  auto argv = Argv(exe, args);
  if (posix_spawn(&pid, exe.c_str(), &fa, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&fa);
  return pid;
}

/// Reads both pipes until they close.
void ReadAll(int outFd, int errFd, std::string& out, std::string& err) {
  pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
  int open = 2;
  char buf[4096];
  while (open > 0 && poll(fds, 2, -1) > 0) {
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
      const ssize_t n = read(fds[i].fd, buf, sizeof buf);
      if (n <= 0) {
        fds[i].fd = -1;
        --open;
      } else {
        (i == 0 ? out : err).append(buf, static_cast<std::size_t>(n));
      }
    }
  }
}

}  // namespace

std::string BinDir() {
  const char* dir = std::getenv("ORVX_BIN_DIR");
  return dir ? dir : ".";
}

CSimProcess::CSimProcess(const std::vector<std::string>& args) {
  int out[2];
  if (pipe(out) != 0) return;
  const int devnull = ::open("/dev/null", O_WRONLY);
  std::vector<std::string> all = args;
  if (std::find(all.begin(), all.end(), "--port") == all.end()) all.insert(all.end(), {"--port", "0"});
  m_pid = Spawn(BinDir() + "/orvx-sim", all, out[1], devnull);
  close(out[1]);
  close(devnull);
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartDeadlineMs);
  while (m_pid > 0 && line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    pollfd p{out[0], POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char c[256];
    const ssize_t n = read(out[0], c, sizeof c);
    if (n <= 0) break;
    line.append(c, static_cast<std::size_t>(n));
  }
  close(out[0]);
  line.resize(std::min(line.size(), line.find('\n')));  // the port line is the first
  const auto colon = line.rfind(':');
  if (colon != std::string::npos) m_port = static_cast<std::uint16_t>(std::atoi(line.c_str() + colon + 1));
}

CSimProcess::~CSimProcess() {
  if (m_pid <= 0) return;
  kill(m_pid, SIGTERM);
  waitpid(m_pid, nullptr, 0);
}

CommandResult RunProgram(const std::string& program, const std::vector<std::string>& args) {
  // Under LeakSanitizer, fontconfig's own leftovers are not the program's leaks.
  static const std::string kSuppressions = [] {
    return std::string("suppressions=") + ORVX_SOURCE_DIR + "/tests/integration/lsan.supp";
  }();
  setenv("LSAN_OPTIONS", kSuppressions.c_str(), 0);
  CommandResult r;
  int out[2], err[2];
  if (pipe(out) != 0) return r;
  if (pipe(err) != 0) {
    close(out[0]);
    close(out[1]);
    return r;
  }
  const pid_t pid = Spawn(BinDir() + "/" + program, args, out[1], err[1]);
  close(out[1]);
  close(err[1]);
  ReadAll(out[0], err[0], r.out, r.err);
  close(out[0]);
  close(err[0]);
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) r.exitCode = WEXITSTATUS(status);
  return r;
}

}  // namespace orvx
