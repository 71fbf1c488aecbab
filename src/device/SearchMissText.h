#pragma once
/// The explanation shown when a device search found nothing: what was probed and what to check.
/// It stands beside the page's own captions and messages, never in their place. A search that
/// could not start (no interface, the port held) is explained by its refusal reason instead.

#include <cstdint>
#include <string>

#include "core/Captions.h"

namespace orvx {

/// What one search that started did: it found its subnet and listened on its port.
struct SearchFacts {
  std::string interfaceName;
  std::string ownIp;
  std::string prefix;  ///< "a.b.c"
  int firstHost = 0;
  int lastHost = 0;
  int hostsProbed = 0;  ///< hosts that were sent the probe
  int probesSent = 0;   ///< probe datagrams that went out
  std::uint16_t port = 0;
  bool cancelled = false;
};

/// Multi-line text in the chosen language; every fact that matters for finding the fault is named.
std::string ExplainSearchMiss(const SearchFacts& facts, Language language);

/// Why Start refused: the search port is held by another socket on this PC.
BilingualText PortInUseReason(std::uint16_t port);
/// Why Start refused: the PC has no active IPv4 interface to search from.
BilingualText NoInterfaceReason();
/// The editor's own connection has not yet let go of the port (it ends once the frames queued
/// before its stop, a long plan, have left).
BilingualText OwnLinkHoldsPortReason(std::uint16_t port);

}  // namespace orvx
