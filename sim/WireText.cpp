#include "WireText.h"

namespace orvx {

std::vector<std::string_view> SplitElements(std::string_view frame) {
  std::vector<std::string_view> out;
  if (frame.size() < 3 || frame.front() != '%' || frame.back() != '#') return out;
  std::string_view body = frame.substr(1, frame.size() - 2);
  while (true) {
    const auto comma = body.find(',');
    out.push_back(body.substr(0, comma));
    if (comma == std::string_view::npos) break;
    body.remove_prefix(comma + 1);
  }
  return out;
}

std::optional<std::vector<std::int32_t>> ReadHexRun(std::string_view run, int digits, int count) {
  if (digits <= 0 || count < 0 || run.size() != static_cast<std::size_t>(digits) * static_cast<std::size_t>(count)) {
    return std::nullopt;
  }
  std::vector<std::int32_t> values;
  values.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const auto v = ReadHex(
        run.substr(static_cast<std::size_t>(i) * static_cast<std::size_t>(digits), static_cast<std::size_t>(digits)),
        digits);
    if (!v) return std::nullopt;
    values.push_back(*v);
  }
  return values;
}

}  // namespace orvx
