#pragma once
/// Finds processors on the PC's subnet: a listener on the search port collects answers while a probe
/// thread sends the probe to every host of the /24 subnet.
///
/// The listener binds the same port as the main link and the firmware-update socket, and only one
/// of the three may hold it. The owner therefore stops the main link and any update before Start,
/// and calls Stop (which releases the port) before it starts either of them again. HoldsPort tells
/// whether the search still has it: the listener keeps running after the probe has ended, so late
/// answers are still collected, until Stop.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/SearchMissText.h"
#include "device/SearchProbe.h"
#include "device/SearchSubnet.h"
#include "link/FrameAssembler.h"
#include "link/Pacer.h"

namespace orvx {

struct SearchSettings {
  std::string localIp = "0.0.0.0";  ///< listener bind address
  std::uint16_t localPort = kSearchPort;
  std::uint16_t remotePort = kSearchPort;  ///< where probes go, and the port shown for each device
  HostRange hosts;
};

/// One processor that answered.
struct FoundDevice {
  std::string ip;
  std::uint16_t port = kSearchPort;
  bool operator==(const FoundDevice&) const = default;
};

/// How far the probe is; readable from any thread.
struct SearchProgress {
  int hostsDone = 0;   ///< hosts of the range passed so far (the own host counts as passed)
  int hostsTotal = 0;  ///< hosts in the range
  bool probing = false;
};

/// Outcome of Start: on failure nothing was sent and the port is not held.
struct SearchStart {
  bool ok = false;
  BilingualText reason;  ///< why it failed, for the operator
};

class CDeviceSearch {
public:
  CDeviceSearch(ISubnetProvider& subnets, IPacer& pacer, SearchSettings settings = {});
  ~CDeviceSearch();  ///< Stop

  CDeviceSearch(const CDeviceSearch&) = delete;
  CDeviceSearch& operator=(const CDeviceSearch&) = delete;

  /// Stops an earlier search, empties the results, binds the listener and then starts the probe
  /// thread. Precondition: the main link and the update socket are stopped (they hold the port).
  /// Fails without probing when no subnet is found or the listener cannot bind.
  SearchStart Start();
  /// Ends the probe early; the listener keeps collecting answers.
  void Cancel();
  /// Ends the probe and the listener and releases the port.
  void Stop();

  /// True while the listener holds the search port.
  bool HoldsPort() const { return m_listening.load(); }
  SearchProgress Progress() const;
  /// Processors that answered, in the order of their first answer, each once.
  std::vector<FoundDevice> Results() const;
  /// Valid "R" answers heard so far, repeats included.
  int AnswersHeard() const { return m_answers.load(); }
  /// What the last search did, for the explanation shown when it found nothing.
  SearchFacts Facts() const;

private:
  void ListenerThreadProc();
  /// Walks the range, probing `hosts` (ascending, a subset of the range) on prefix "a.b.c".
  void ProbeThreadProc(HostRange range, std::vector<int> hosts, std::string prefix);
  void HandleFrame(std::string_view frame, const std::string& from);

  ISubnetProvider& m_subnets;
  IPacer& m_pacer;
  SearchSettings m_settings;

  int m_socket = -1;     ///< created by Start, closed by Stop after both threads ended
  int m_stopEvent = -1;  ///< eventfd that wakes the listener to end
  std::thread m_listener;
  std::thread m_probe;
  std::atomic<bool> m_listening{false};
  std::atomic<bool> m_probing{false};
  std::atomic<bool> m_cancel{false};
  std::atomic<int> m_hostsDone{0};
  std::atomic<int> m_hostsTotal{0};
  std::atomic<int> m_hostsProbed{0};
  std::atomic<int> m_probesSent{0};
  std::atomic<int> m_answers{0};

  mutable std::mutex m_mutex;  ///< guards m_found and m_facts
  std::vector<FoundDevice> m_found;
  SearchFacts m_facts;

  CFrameAssembler m_assembler;  ///< listener thread only
  std::string m_lastSender;     ///< listener thread only
};

}  // namespace orvx
