#include "link/FreeTypeGlyphRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <fontconfig/fontconfig.h>

#include "core/TextCodec.h"

namespace orvx {
namespace {

/// Horizontal em of the font in each cell. The display font is narrow: a Latin letter takes about
/// half the em, so a 12-pixel em fits the 12-pixel cell, and a CJK character (a full em) keeps a
/// small margin in its 24-pixel cell.
constexpr int kNarrowEmWidth = 12;
constexpr int kWideEmWidth = 20;

/// Coverage at or above half counts as ink. Treating anything darker than near-white as ink (as a
/// GDI bitmap read-out does) turns every anti-aliased edge pixel into ink and smears the strokes on
/// a 24-pixel display; half coverage gives the same clean shapes a monochrome rasteriser draws.
constexpr unsigned char kInkThreshold = 128;

constexpr int kBitsPerByte = 8;

}  // namespace

std::string CFreeTypeGlyphRenderer::FindCjkFont(int* faceIndex) {
  // A private configuration, released after the one look-up: the process-wide one would keep
  // its allocations for the life of the program.
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) return {};
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:lang=zh-cn"));
  if (!pattern) {
    FcConfigDestroy(config);
    return {};
  }
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  std::string file;
  if (match) {
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
      file = reinterpret_cast<const char*>(path);
    }
    int index = 0;
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    if (faceIndex) *faceIndex = index;
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  FcConfigDestroy(config);
  return file;
}

CFreeTypeGlyphRenderer::CFreeTypeGlyphRenderer(const std::string& fontFile) {
  int faceIndex = 0;
  m_fontFile = fontFile.empty() ? FindCjkFont(&faceIndex) : fontFile;
  if (m_fontFile.empty() || FT_Init_FreeType(&m_library) != 0) {
    m_library = nullptr;
    return;
  }
  if (FT_New_Face(m_library, m_fontFile.c_str(), faceIndex, &m_face) != 0) m_face = nullptr;
}

CFreeTypeGlyphRenderer::~CFreeTypeGlyphRenderer() {
  if (m_face) FT_Done_Face(m_face);
  if (m_library) FT_Done_FreeType(m_library);
}

std::vector<std::uint8_t> CFreeTypeGlyphRenderer::RenderGlyph(std::string_view gbkChar) {
  if (auto it = m_drawn.find(gbkChar); it != m_drawn.end()) return it->second;
  std::vector<std::uint8_t> bits = DrawGlyph(gbkChar);
  m_drawn.emplace(std::string(gbkChar), bits);
  return bits;
}

std::vector<std::uint8_t> CFreeTypeGlyphRenderer::DrawGlyph(std::string_view gbkChar) {
  const bool wide = IsWideGlyph(gbkChar);
  const int cellWidth = wide ? kWideGlyphWidth : kNarrowGlyphWidth;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(wide ? kWideGlyphBytes : kNarrowGlyphBytes), 0);
  const std::u16string units = GbkToUtf16(gbkChar);
  if (!m_face || units.empty()) return bits;

  // The line (ascender to descender) fills the 24-pixel cell height, as a font of height 24 does.
  const long lineUnits = m_face->ascender - m_face->descender;
  const FT_UInt emHeight = lineUnits > 0
                               ? static_cast<FT_UInt>((kGlyphHeight * m_face->units_per_EM + lineUnits / 2) / lineUnits)
                               : kGlyphHeight;
  if (FT_Set_Pixel_Sizes(m_face, wide ? kWideEmWidth : kNarrowEmWidth, emHeight) != 0) return bits;
  if (FT_Load_Char(m_face, units[0], FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) return bits;

  const FT_GlyphSlot slot = m_face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return bits;
  // Centred on one line: horizontally by its advance, vertically by the line's height.
  const int ascender = static_cast<int>(m_face->size->metrics.ascender >> 6);
  const int lineHeight = static_cast<int>((m_face->size->metrics.ascender - m_face->size->metrics.descender) >> 6);
  const int baseline = (kGlyphHeight - lineHeight) / 2 + ascender;
  const int advance = static_cast<int>(slot->advance.x >> 6);
  const int originX = (cellWidth - advance) / 2;

  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const int y = baseline - slot->bitmap_top + static_cast<int>(row);
    if (y < 0 || y >= kGlyphHeight) continue;
    for (unsigned col = 0; col < bitmap.width; ++col) {
      const int x = originX + slot->bitmap_left + static_cast<int>(col);
      if (x < 0 || x >= cellWidth) continue;
      const unsigned char coverage = bitmap.buffer[static_cast<long>(row) * bitmap.pitch + col];
      if (coverage < kInkThreshold) continue;
      // Column by column, each column top to bottom, bits from the most significant down.
      const int bit = x * kGlyphHeight + y;
      bits[static_cast<std::size_t>(bit / kBitsPerByte)] |= static_cast<std::uint8_t>(0x80u >> (bit % kBitsPerByte));
    }
  }
  return bits;
}

}  // namespace orvx
