#pragma once
/// Glyph bitmaps of channel names drawn with FreeType in a CJK font found through fontconfig.

#include <map>
#include <string>

#include "link/GlyphRenderer.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace orvx {

class CFreeTypeGlyphRenderer final : public IGlyphRenderer {
public:
  /// Loads the font at fontFile, or (empty) the best match for "sans-serif:lang=zh-cn"
  /// (WenQuanYi Micro Hei on a standard install). The face is loaded once and kept.
  explicit CFreeTypeGlyphRenderer(const std::string& fontFile = {});
  ~CFreeTypeGlyphRenderer() override;

  CFreeTypeGlyphRenderer(const CFreeTypeGlyphRenderer&) = delete;
  CFreeTypeGlyphRenderer& operator=(const CFreeTypeGlyphRenderer&) = delete;

  /// Not thread-safe (one FreeType face): use one renderer per thread. Without a usable font, or
  /// for a character the font lacks, the cell stays blank (all zero) but keeps its size. Each
  /// character is drawn once and kept: a whole-device push names twenty channels from a handful
  /// of characters.
  std::vector<std::uint8_t> RenderGlyph(std::string_view gbkChar) override;

  bool HasFont() const { return m_face != nullptr; }
  const std::string& FontFile() const { return m_fontFile; }

  /// The file of the best font match for "sans-serif:lang=zh-cn" (and its face index), or empty.
  static std::string FindCjkFont(int* faceIndex = nullptr);

private:
  std::vector<std::uint8_t> DrawGlyph(std::string_view gbkChar);

  FT_LibraryRec_* m_library = nullptr;
  FT_FaceRec_* m_face = nullptr;
  std::string m_fontFile;
  std::map<std::string, std::vector<std::uint8_t>, std::less<>> m_drawn;
};

}  // namespace orvx
