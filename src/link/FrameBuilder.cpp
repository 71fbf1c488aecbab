#include "link/FrameBuilder.h"

#include "link/FrameChecksum.h"

namespace orvx {

void AppendHex(std::string& out, std::int32_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::uint32_t v = static_cast<std::uint32_t>(value);
  if (value < 0) v &= (digits >= 8) ? 0xFFFFFFFFu : ((1u << (4 * digits)) - 1u);
  int width = 1;
  while (width < 8 && (v >> (4 * width)) != 0) ++width;
  if (width < digits) width = digits;
  for (int i = width - 1; i >= 0; --i) out.push_back(kDigits[(v >> (4 * i)) & 0xFu]);
}

CFrameBuilder::CFrameBuilder(char letter) {
  m_text.reserve(64);
  m_text.push_back('%');
  m_text.push_back(letter);
  m_text.push_back(',');
}

CFrameBuilder& CFrameBuilder::Field(std::int32_t value, int digits) {
  AppendHex(m_text, value, digits);
  m_text.push_back(',');
  return *this;
}

CFrameBuilder& CFrameBuilder::RunValue(std::int32_t value, int digits) {
  AppendHex(m_text, value, digits);
  return *this;
}

CFrameBuilder& CFrameBuilder::EndRun() {
  m_text.push_back(',');
  return *this;
}

std::string CFrameBuilder::Finish() const { return CompleteFrame(m_text); }

}  // namespace orvx
