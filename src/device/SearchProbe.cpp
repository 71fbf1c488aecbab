#include "device/SearchProbe.h"

#include <algorithm>

#include "link/FrameChecksum.h"

namespace orvx {
namespace {

/// Reads leading decimal digits the forgiving way the processor's own tools do: no digits is 0.
long LeadingDecimal(std::string_view text) {
  long v = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || v > 1'000'000) break;
    v = v * 10 + (c - '0');
  }
  return v;
}

}  // namespace

HostRange ClampedRange(HostRange r) { return {std::max(r.first, 1), std::min(r.last, kLastSearchHost)}; }

std::vector<int> ProbeHosts(HostRange range, int ownHost) {
  const auto [first, last] = ClampedRange(range);
  std::vector<int> hosts;
  for (int h = first; h <= last; ++h) {
    if (h != ownHost) hosts.push_back(h);
  }
  return hosts;
}

bool IsSearchAnswer(std::string_view frame) {
  if (!IsValidFrame(frame) || frame.size() < 2 || frame[1] != 'R') return false;
  // Fields lie between "%" and the checksum, each ended by a comma: letter, device, status, ...
  std::string_view rest = frame.substr(1);
  for (int field = 0; field < 2; ++field) {
    const std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos) return false;
    rest.remove_prefix(comma + 1);
  }
  const std::size_t end = rest.find(',');
  if (end == std::string_view::npos) return false;  // what follows is the checksum, not a field
  return LeadingDecimal(rest.substr(0, end)) == 0;
}

}  // namespace orvx
