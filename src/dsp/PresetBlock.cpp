#include "dsp/PresetBlock.h"

#include <algorithm>

#include "core/HexText.h"

namespace orvx::preset {

void CBlockWriter::Field(std::int32_t value, int digits) {
  const std::int32_t most = (1 << (4 * digits)) - 1;
  m_text += HexField(std::clamp(value, 0, most), digits);
}

void CBlockReader::Field(std::int32_t& value, int digits) {
  const auto width = static_cast<std::size_t>(digits);
  if (!m_good || m_text.size() - m_pos < width) {
    m_good = false;
    return;
  }
  const auto read = ReadHex(m_text.substr(m_pos, width), digits);
  m_pos += width;
  if (!read) {
    m_good = false;
    return;
  }
  value = *read;
}

void CBlockReader::Comma() {
  if (!m_good || m_pos >= m_text.size() || m_text[m_pos] != ',') {
    m_good = false;
    return;
  }
  ++m_pos;
}

}  // namespace orvx::preset
