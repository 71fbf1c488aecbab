#pragma once
/// The simulator on the network: one UDP link, a worker thread that applies commands, answers each
/// peer at its address on the fixed reply port (as the processor does, whatever port a command came
/// from), streams "Q" reports to the peers that asked for them, sends "P" reports after changes
/// made at the processor, and damages its own traffic on request (FaultInjector).
///
/// Threads: the link's receive thread only queues frames; the worker owns the device and does all
/// decoding and sending. Other threads talk to it through Console() and read it through the
/// thread-safe snapshots below.

#include "FaultInjector.h"
#include "SimDevice.h"
#include "core/Clock.h"
#include "link/DeviceLink.h"
#include "link/FrameAssembler.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <ostream>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace orvx {

struct SimServerSettings {
  std::string ip = "127.0.0.2";
  std::uint16_t port = 39030;  ///< 0: an ephemeral port (see BoundPort)
  /// Every answer and report goes to the sender's address on this port. 0: the simulator's own
  /// bound port, so both ends share one number even when that number is ephemeral.
  std::uint16_t replyPort = 39030;
  int rate = 20;  ///< "Q" reports per second, 1..1000
  FaultRates faults;   ///< the simulator's frames on their way out
  FaultRates inbound;  ///< the editor's frames on their way in (damaged, then checked as received)
  std::uint32_t seed = 1;
  std::ostream* log = nullptr;  ///< one line per received frame; nullptr: quiet
  SimDeviceSettings device;
};

class CSimServer {
public:
  CSimServer(SimServerSettings settings, const IClock& clock);
  ~CSimServer();

  CSimServer(const CSimServer&) = delete;
  CSimServer& operator=(const CSimServer&) = delete;

  /// Binds the socket and starts the worker. False (with `error`) when the socket cannot be set up.
  bool Start(std::string* error = nullptr);
  /// Stops the worker and the link; safe to call twice.
  void Stop();
  std::uint16_t BoundPort() const { return m_link.BoundPort(); }
  /// The port answers go to (valid after a successful Start).
  std::uint16_t ReplyPort() const { return m_replyPort.load(); }

  /// Queues one console line (see ConsoleCommand.h) for the worker.
  void Console(std::string line);
  /// True once "quit" was given on the console.
  bool QuitRequested() const;

  /// Every frame received so far, in order (valid frames as the assembler passed them).
  std::vector<std::string> ReceivedFrames() const;
  /// A copy of the processor's state.
  CDeviceState StateSnapshot() const;
  /// The meters of the last "Q" report built.
  MeterSnapshot LastMeters() const;
  /// How many "Q" reports have been sent.
  std::uint64_t ReportsSent() const;
  /// How many report periods have passed (the meters step once per period, sent or not).
  std::uint64_t Periods() const;
  /// True while the processor is silent (console "silence").
  bool Silent() const;
  /// What the fault injectors did so far: to the frames sent to every peer, and to those received.
  FaultCounts OutboundFaults() const;
  FaultCounts InboundFaults() const;
  /// The share of the editor's frames lost on their way in now (--drop, console "drop").
  double DropRate() const;
  /// Firmware images received whole so far.
  std::vector<ReceivedImage> ReceivedImages() const;

  /// Waits (bounded) until `pred` holds on the server, checked after each worker pass.
  bool WaitFor(const std::function<bool()>& pred, int timeoutMs) const;

private:
  /// A peer is an address: whatever port it sends from, it is answered on the reply port.
  using Peer = std::string;

  void WorkerLoop();
  void HandleFrame(const ReceivedFrame& f, std::int64_t now);
  /// Datagrams of a peer as the network delivers them: reassembled and checked, then applied.
  void Deliver(const Peer& peer, std::uint16_t fromPort, const std::vector<std::string>& datagrams);
  void Apply(const Peer& peer, const std::string& frame, std::string line);
  void SetFaults(const FaultRates& rates, bool inbound);
  void HandleConsole(const std::string& line, std::int64_t now);
  void SendTo(const Peer& peer, const std::string& frame);
  /// Sends the frames whose time has come (a firmware report after the image is written).
  void SendDueLater(std::int64_t now);
  void Log(const std::string& line);

  SimServerSettings m_settings;
  const IClock& m_clock;
  CDeviceLink m_link;
  std::atomic<std::uint16_t> m_replyPort{0};

  mutable std::mutex m_mutex;  ///< guards everything below
  mutable std::condition_variable m_wake;
  std::deque<ReceivedFrame> m_inbox;
  std::deque<std::string> m_console;
  bool m_stop = false;
  bool m_quit = false;
  CSimDevice m_device;
  std::vector<std::string> m_received;
  struct LaterFrame {
    std::int64_t due = 0;
    Peer peer;
    std::string frame;
  };
  std::deque<LaterFrame> m_later;           ///< in order of their time
  std::set<Peer> m_peers;                   ///< answered a "%Z": they get "P" reports
  std::set<Peer> m_subscribers;             ///< sent "%Q" 01: they get "Q" reports
  std::map<Peer, CFaultInjector> m_faults;  ///< one per peer, so held frames go where they belong
  /// A peer's frames on their way in: damaged by the injector, then taken apart again by the
  /// processor's own assembler, which keeps only whole frames with a good checksum.
  struct InboundPath {
    CFaultInjector faults;
    CFrameAssembler frames;
  };
  std::map<Peer, InboundPath> m_inbound;
  std::int64_t m_silentUntil = 0;
  MeterSnapshot m_lastMeters;
  std::uint64_t m_reportsSent = 0;
  std::uint64_t m_periods = 0;
  std::thread m_worker;
};

}  // namespace orvx
