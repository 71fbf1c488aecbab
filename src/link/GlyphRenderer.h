#pragma once
/// Renders one character of a channel name into the bitmap the processor's display expects.

#include <cstdint>
#include <string_view>
#include <vector>

namespace orvx {

constexpr int kGlyphHeight = 24;
constexpr int kNarrowGlyphWidth = 12;                                    ///< single-byte characters
constexpr int kWideGlyphWidth = 24;                                      ///< double-byte characters
constexpr int kNarrowGlyphBytes = kNarrowGlyphWidth * kGlyphHeight / 8;  ///< 36
constexpr int kWideGlyphBytes = kWideGlyphWidth * kGlyphHeight / 8;      ///< 72

/// True when the GBK character takes a wide cell (its first byte is 0x80 or above).
inline bool IsWideGlyph(std::string_view gbkChar) {
  return !gbkChar.empty() && static_cast<unsigned char>(gbkChar[0]) >= 0x80;
}

class IGlyphRenderer {
public:
  virtual ~IGlyphRenderer() = default;
  /// Bits of one GBK character (one or two bytes), column by column left to right, each column
  /// top to bottom, bits from the most significant down, 1 = ink: 36 bytes for a single-byte
  /// character (12 x 24 cell), 72 for a double-byte one (24 x 24). Never shorter than that.
  virtual std::vector<std::uint8_t> RenderGlyph(std::string_view gbkChar) = 0;
};

}  // namespace orvx
