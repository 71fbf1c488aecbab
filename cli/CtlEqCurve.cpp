#include "CtlEqCurve.h"

#include "CtlJson.h"
#include "core/NumberText.h"
#include "dsp/EqResponse.h"

#include <charconv>

namespace orvx {

std::string FormatEqCurve(const CDeviceState& s, int record, bool json) {
  const eq::Response curve = eq::ChannelResponse(s.in[record], record);
  const auto& grid = eq::Grid();
  if (json) {
    CtlJson points = CtlJson::array();
    for (std::size_t i = 0; i < grid.size(); ++i) points.push_back({{"hz", grid[i]}, {"db", curve[i]}});
    return JsonLine({{"record", record + 1}, {"points", points}});
  }
  std::string out;
  for (std::size_t i = 0; i < grid.size(); ++i) {
    char hz[32];
    const auto end = std::to_chars(hz, hz + sizeof hz, grid[i]).ptr;  // as the grid lists it: "19.71", "1000"
    out += std::string(hz, end) + " " + FormatFixed(curve[i], 2) + "\n";
  }
  return out;
}

}  // namespace orvx
