#pragma once
/// What a device search sends and what counts as an answer.

#include <cstdint>
#include <string_view>
#include <vector>

namespace orvx {

/// The port every client and the processor use; the search listener binds it too.
constexpr std::uint16_t kSearchPort = 39030;
/// Each host gets the probe this many times, then the search pauses before the next host.
constexpr int kProbesPerHost = 2;
constexpr int kProbePauseMs = 5;
/// Hosts probed by default: .0 (network), .1 (usually the router) and .255 (broadcast) are left out.
constexpr int kFirstSearchHost = 2;
constexpr int kLastSearchHost = 254;

/// Host numbers a search covers, first..last clamped to 1..254.
struct HostRange {
  int first = kFirstSearchHost;
  int last = kLastSearchHost;
};

/// The range within 1..254 (the host numbers a /24 subnet can probe).
HostRange ClampedRange(HostRange r);
/// The hosts actually probed, in order: the range without the PC's own host.
std::vector<int> ProbeHosts(HostRange range, int ownHost);

/// True for a checksum-valid frame with the letter "R" whose third field (after the letter and the
/// device number) reads as decimal 0, the way a processor answers the probe. A non-zero field
/// comes from something that is not an idle processor and is not listed.
bool IsSearchAnswer(std::string_view frame);

}  // namespace orvx
