#include "dsp/PresetBlock.h"

#include <algorithm>

namespace orvx::preset {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

/// Value of one hexadecimal digit of either case, or -1.
int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

void CBlockWriter::Field(std::int32_t value, int digits) {
  const std::int32_t most = (1 << (4 * digits)) - 1;
  auto v = static_cast<std::uint32_t>(std::clamp(value, 0, most));
  std::string field(static_cast<std::size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, v >>= 4) field[static_cast<std::size_t>(i)] = kDigits[v & 0xF];
  m_text += field;
}

void CBlockReader::Field(std::int32_t& value, int digits) {
  if (!m_good || m_text.size() - m_pos < static_cast<std::size_t>(digits)) {
    m_good = false;
    return;
  }
  std::int32_t v = 0;
  for (int i = 0; i < digits; ++i) {
    const int d = DigitValue(m_text[m_pos++]);
    if (d < 0) {
      m_good = false;
      return;
    }
    v = v * 16 + d;
  }
  value = v;
}

void CBlockReader::Comma() {
  if (!m_good || m_pos >= m_text.size() || m_text[m_pos] != ',') {
    m_good = false;
    return;
  }
  ++m_pos;
}

}  // namespace orvx::preset
