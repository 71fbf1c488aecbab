#include "link/HexFields.h"

#include <array>
#include <limits>

namespace orvx {
namespace {

/// HexDigitValue of every byte, looked up instead of compared: reports are mostly digits.
constexpr std::array<std::uint8_t, 256> kDigitValues = [] {
  std::array<std::uint8_t, 256> t{};
  for (int c = 0; c < 256; ++c)
    t[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(HexDigitValue(static_cast<char>(c)));
  return t;
}();

}  // namespace

std::int32_t ReadHex(std::string_view text, std::size_t pos, std::size_t digits) {
  std::uint32_t value = 0;
  for (std::size_t i = pos; i < pos + digits && i < text.size(); ++i) {
    value = (value << 4) | kDigitValues[static_cast<unsigned char>(text[i])];
  }
  return static_cast<std::int32_t>(value);
}

std::int32_t ReadDecimal(std::string_view text) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  std::int32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    const int digit = c - '0';
    if (value > (kMax - digit) / 10) return kMax;
    value = value * 10 + digit;
  }
  return value;
}

CReportFields::CReportFields(std::string_view frame) {
  // Drop "%" in front and the four checksum digits and "#" behind.
  constexpr std::size_t kTail = 5;
  if (frame.size() < 1 + kTail) return;
  std::string_view body = frame.substr(1, frame.size() - 1 - kTail);
  while (m_count < kMaxElements) {
    const std::size_t comma = body.find(',');
    if (comma == std::string_view::npos) {
      // The text before the checksum normally ends with a comma; keep a trailing partial element.
      if (!body.empty()) m_elements[m_count++] = body;
      return;
    }
    m_elements[m_count++] = body.substr(0, comma);
    body.remove_prefix(comma + 1);
  }
}

}  // namespace orvx
