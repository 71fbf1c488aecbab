#include "device/SearchProbe.h"

#include <algorithm>

#include "device/ReplyFields.h"
#include "link/HexFields.h"

namespace orvx {

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
  // Fields: letter, device number, status, ...
  const auto fields = SplitReplyFields(frame, kShortReplyFields);
  return fields && fields->size() > 2 && (*fields)[0] == "R" && ReadDecimal((*fields)[2]) == 0;
}

}  // namespace orvx
