// Receive path over loopback: frames per second the editor side takes in (socket, reassembly,
// checksum, hand-over, decode) against orvx-sim, and the editor side's CPU share while online.
//
// The simulator runs as its own process so getrusage() of this process measures the client only.

#include "link/Commands.h"
#include "link/DeviceLink.h"
#include "link/FrameChecksum.h"
#include "link/FrameInbox.h"
#include "link/ReportParser.h"

#include <benchmark/benchmark.h>

#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <string>

extern char** environ;

namespace orvx {
namespace {

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

std::string BinDir() {
  char path[PATH_MAX] = {};
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string p(path, n > 0 ? static_cast<std::size_t>(n) : 0);
  return p.substr(0, p.rfind('/'));
}

/// orvx-sim on 127.0.0.1, an ephemeral port, ending by itself after 60 s at the latest. The link
/// talks to it from 127.0.0.3 on the same port number.
class SimProcess {
public:
  explicit SimProcess(int rate) {
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&fa, out[0]);
    const std::string exe = BinDir() + "/orvx-sim";
    const std::string r = std::to_string(rate);
    // It answers on its own port number (--reply-port 0), which the link binds on its own address.
    const char* argv[] = {exe.c_str(), "--ip",   "127.0.0.1", "--port",     "0",  "--reply-port", "0",
                          "--rate",    r.c_str(), "--quiet",  "--duration", "60", nullptr};
    if (posix_spawn(&m_pid, exe.c_str(), &fa, nullptr, const_cast<char* const*>(argv), environ) != 0) m_pid = -1;
    posix_spawn_file_actions_destroy(&fa);
    close(out[1]);
    // The pipe stays open while the simulator runs: a line written to a closed pipe would end it.
    m_out = fdopen(out[0], "r");
    char line[256] = {};
    if (m_out && fgets(line, sizeof line, m_out)) {
      const std::string s(line);
      m_port = static_cast<std::uint16_t>(std::stoi(s.substr(s.rfind(':') + 1)));
    }
  }
  ~SimProcess() {
    if (m_pid > 0) {
      kill(m_pid, SIGTERM);
      waitpid(m_pid, nullptr, 0);
    }
    if (m_out) fclose(m_out);
  }
  std::uint16_t Port() const { return m_port; }

private:
  pid_t m_pid = -1;
  FILE* m_out = nullptr;
  std::uint16_t m_port = 0;
};

/// Connects to the simulator, starts its reports and measures for the benchmark's iterations.
void ReceiveFromSim(benchmark::State& state) {
  const int rate = static_cast<int>(state.range(0));
  SimProcess sim(rate);
  if (sim.Port() == 0) {
    state.SkipWithError("orvx-sim did not start");
    return;
  }
  CFrameInbox inbox;
  CDeviceLink link(LinkSettings{"127.0.0.3", sim.Port(), sim.Port()});
  if (!link.Start([&](ReceivedFrame f) { inbox.Push(std::move(f)); }, nullptr)) {
    state.SkipWithError("no socket");
    return;
  }
  CDeviceState device;
  device.ResetToDefaults();
  link.SendDatagram(FrameZ(), "127.0.0.1");
  link.SendDatagram(FrameQ(true), "127.0.0.1");

  std::int64_t frames = 0;
  double wall = 0;
  double cpu = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = CpuSeconds();
    const auto end = t0 + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < end) {
      if (auto f = inbox.WaitPop(50)) {
        benchmark::DoNotOptimize(DispatchFrame(f->text, device, 0));
        ++frames;
      }
    }
    cpu += CpuSeconds() - c0;
    wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  link.SendDatagram(FrameQ(false), "127.0.0.1");
  link.Stop();
  state.counters["frames_per_s"] = static_cast<double>(frames) / wall;
  state.counters["cpu_percent"] = 100.0 * cpu / wall;
  state.counters["dropped"] = static_cast<double>(inbox.Dropped());
}

/// Capacity of the receive path: a sender floods "Q" reports over loopback as fast as it can.
void ReceiveCapacity(benchmark::State& state) {
  CFrameInbox inbox(1 << 16);
  CDeviceLink receiver(LinkSettings{"127.0.0.1", 0, 0});
  if (!receiver.Start([&](ReceivedFrame f) { inbox.Push(std::move(f)); }, nullptr)) {
    state.SkipWithError("no socket");
    return;
  }
  CDeviceLink sender(LinkSettings{"127.0.0.1", 0, receiver.BoundPort()});
  if (!sender.Start([](ReceivedFrame) {}, nullptr)) {
    state.SkipWithError("no socket");
    return;
  }
  const std::string frame = CompleteFrame("%Q,01,3C3C3C3C3C3C3C3C3C3C3C3C32323232323232320503,");
  CDeviceState device;
  device.ResetToDefaults();
  std::int64_t received = 0;
  for (auto _ : state) {
    for (int i = 0; i < 64; ++i) sender.SendDatagram(frame, "127.0.0.1");
    // Take what has arrived; a short bounded wait lets the receive thread catch up.
    for (int spins = 0; spins < 64; ++spins) {
      auto f = inbox.WaitPop(spins == 0 ? 1 : 0);
      if (!f) break;
      benchmark::DoNotOptimize(DispatchFrame(f->text, device, 0));
      ++received;
    }
  }
  inbox.DrainInto([&](ReceivedFrame& f) {
    benchmark::DoNotOptimize(DispatchFrame(f.text, device, 0));
    ++received;
  });
  sender.Stop();
  receiver.Stop();
  state.counters["frames_per_s"] = benchmark::Counter(static_cast<double>(received), benchmark::Counter::kIsRate);
  state.counters["sent"] = static_cast<double>(state.iterations() * 64);
  state.counters["received"] = static_cast<double>(received);
}

}  // namespace
}  // namespace orvx

BENCHMARK(orvx::ReceiveFromSim)->Arg(20)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(orvx::ReceiveCapacity)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_MAIN();
