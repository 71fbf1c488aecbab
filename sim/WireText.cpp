#include "WireText.h"

namespace orvx {
namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string HexField(std::int64_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out(static_cast<std::size_t>(digits), '0');
  auto bits = static_cast<std::uint64_t>(value);
  for (int i = digits - 1; i >= 0; --i) {
    out[static_cast<std::size_t>(i)] = kDigits[bits & 0xF];
    bits >>= 4;
  }
  return out;
}

std::optional<std::int32_t> ReadHex(std::string_view text, int width) {
  // Seven digits at most: the value stays below 2^28, so doubling or offsetting it cannot overflow.
  constexpr int kWidestField = 7;
  if (width < 1 || width > kWidestField) return std::nullopt;
  if (text.empty() || text.size() > static_cast<std::size_t>(width)) return std::nullopt;
  std::int32_t value = 0;
  for (char c : text) {
    const int d = HexDigitValue(c);
    if (d < 0) return std::nullopt;
    value = value * 16 + d;
  }
  return value;
}

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
