#include "link/FrameChecksum.h"

#include <array>

namespace orvx {
namespace {

/// Entry i is the CRC of the single byte i starting from 0 (reflected polynomial 0xA001).
constexpr std::array<std::uint16_t, 256> BuildCrcTable() {
  std::array<std::uint16_t, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    std::uint16_t crc = static_cast<std::uint16_t>(i);
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 1u) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001u) : static_cast<std::uint16_t>(crc >> 1);
    }
    table[i] = crc;
  }
  return table;
}

constexpr std::array<std::uint16_t, 256> kCrcTable = BuildCrcTable();

constexpr std::uint16_t Crc(std::string_view text) {
  std::uint16_t crc = 0xFFFF;
  for (char c : text) {
    crc = static_cast<std::uint16_t>((crc >> 8) ^ kCrcTable[(crc ^ static_cast<unsigned char>(c)) & 0xFFu]);
  }
  return crc;
}

static_assert(Crc("abc") == 0x5749);
static_assert(Crc("%R,01,00,") == 0x30A0);

constexpr char kHexDigits[] = "0123456789ABCDEF";

/// Smallest candidate that can carry a checksum: "%" letter "," + 4 digits + "#" is 8; longer only.
constexpr std::size_t kMinFrameLength = 9;
constexpr std::size_t kChecksumTail = 5;  // four digits and "#"

}  // namespace

std::uint16_t FrameChecksum(std::string_view text) { return Crc(text); }

std::string CompleteFrame(std::string_view textBeforeChecksum) {
  const std::uint16_t crc = Crc(textBeforeChecksum);
  std::string frame;
  frame.reserve(textBeforeChecksum.size() + kChecksumTail);
  frame.append(textBeforeChecksum);
  for (int shift = 12; shift >= 0; shift -= 4) frame.push_back(kHexDigits[(crc >> shift) & 0xF]);
  frame.push_back('#');
  return frame;
}

bool IsValidFrame(std::string_view frame) {
  if (frame.size() < kMinFrameLength) return false;
  // Rebuild with upper-case digits and compare byte for byte: a lower-case checksum fails.
  const std::string_view body = frame.substr(0, frame.size() - kChecksumTail);
  const std::uint16_t crc = Crc(body);
  const std::string_view tail = frame.substr(body.size());
  for (int i = 0; i < 4; ++i) {
    if (tail[static_cast<std::size_t>(i)] != kHexDigits[(crc >> (12 - 4 * i)) & 0xF]) return false;
  }
  return tail[4] == '#';
}

}  // namespace orvx
