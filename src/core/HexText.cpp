#include "core/HexText.h"

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

}  // namespace orvx
