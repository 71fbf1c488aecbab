// orvx-sim: a software ORVX-64Q processor on UDP (loopback by default).

#include "SimOptions.h"
#include "SimServer.h"

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <variant>

namespace {

volatile std::sig_atomic_t g_signalled = 0;
void OnSignal(int) { g_signalled = 1; }

/// Feeds console lines from stdin to the server; polls so it can be stopped without input.
void ReadStdin(orvx::CSimServer& server, const std::atomic<bool>& stop) {
  std::string pending;
  char buf[512];
  while (!stop) {
    pollfd p{STDIN_FILENO, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    const ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
    if (n <= 0) return;  // end of input: the simulator keeps running
    pending.append(buf, static_cast<std::size_t>(n));
    for (auto nl = pending.find('\n'); nl != std::string::npos; nl = pending.find('\n')) {
      server.Console(pending.substr(0, nl));
      pending.erase(0, nl + 1);
    }
    if (pending.size() > 4096) pending.clear();  // no line is that long
  }
}

/// Runs a script: console lines, with "wait MS" pausing between them.
void RunScript(orvx::CSimServer& server, const std::string& path, const std::atomic<bool>& stop) {
  std::ifstream in(path);
  for (std::string line; !stop && std::getline(in, line);) {
    if (line.rfind("wait ", 0) == 0) {
      int ms = 0;
      try {
        ms = std::stoi(line.substr(5));
      } catch (...) {
        std::cerr << "script: bad wait: " << line << "\n";
        continue;
      }
      const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::clamp(ms, 0, 60000));
      while (!stop && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      continue;
    }
    server.Console(line);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = orvx::ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto* help = std::get_if<orvx::CommandLineHelp>(&parsed)) {
    std::cout << help->text;
    return 0;
  }
  if (const auto* error = std::get_if<std::string>(&parsed)) {
    std::cerr << "orvx-sim: " << *error << "\n" << orvx::kSimHelpHint << "\n";
    return 2;
  }
  orvx::SimOptions options = std::get<orvx::SimOptions>(parsed);
  if (!options.scriptPath.empty() && !std::ifstream(options.scriptPath)) {
    std::cerr << "orvx-sim: cannot read script " << options.scriptPath << "\n";
    return 2;
  }
  options.server.log = options.quiet ? nullptr : &std::cerr;

  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);

  orvx::SteadyClock clock;
  orvx::CSimServer server(options.server, clock);
  std::string error;
  if (!server.Start(&error)) {
    std::cerr << "orvx-sim: " << error << " (" << options.server.ip << ":" << options.server.port << ")\n";
    return 3;
  }
  std::cout << "orvx-sim: listening on " << options.server.ip << ":" << server.BoundPort() << std::endl;
  std::cout << "orvx-sim: answering every sender on port " << server.ReplyPort() << std::endl;

  std::atomic<bool> stop{false};
  std::thread console([&] { ReadStdin(server, stop); });
  std::thread script;
  if (!options.scriptPath.empty()) script = std::thread([&] { RunScript(server, options.scriptPath, stop); });

  const auto start = std::chrono::steady_clock::now();
  const auto limit = std::chrono::duration<double>(options.durationS);
  while (!g_signalled && !server.QuitRequested() &&
         (options.durationS <= 0 || std::chrono::steady_clock::now() - start < limit)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  stop = true;
  if (script.joinable()) script.join();
  console.join();
  server.Stop();
  return 0;
}
