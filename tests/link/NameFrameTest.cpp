#include <gtest/gtest.h>

#include "core/TextCodec.h"
#include "link/FramePlan.h"
#include "link/SendQueue.h"
#include "link/Commands.h"
#include "link/FrameChecksum.h"
#include "link/FreeTypeGlyphRenderer.h"
#include "link/LinkTestDoubles.h"

namespace orvx {
namespace {

// Offsets inside a "%V" frame: "%V,01,cc," then 32 name digits, ",", 576 glyph digits, ",".
constexpr std::size_t kNameAt = 9;
constexpr std::size_t kGlyphAt = kNameAt + 32 + 1;

std::string NameDigits(const std::string& frame) { return frame.substr(kNameAt, 32); }

std::vector<std::uint8_t> GlyphArea(const std::string& frame) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i < 288; ++i) {
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(frame.substr(kGlyphAt + 2 * i, 2), nullptr, 16)));
  }
  return bytes;
}

/// Expected glyph area for the pattern renderer: each character's first byte, bit-reversed,
/// over its cell, then zeros.
std::vector<std::uint8_t> PatternArea(const std::vector<std::pair<std::uint8_t, int>>& cells) {
  std::vector<std::uint8_t> area;
  for (auto [byte, count] : cells) area.insert(area.end(), static_cast<std::size_t>(count), ReverseBits(byte));
  area.resize(288, 0);
  return area;
}

class NameFrame : public ::testing::Test {
protected:
  NameFrame() { s.ResetToDefaults(); }
  void SetName(int channel, const std::string& utf8) {
    orvx::Name& field =
        channel <= kWireInputs ? s.in[channel - 1].shortName : s.out[channel - kFirstOutputChannel].shortName;
    SetNameBytes(field, Utf8ToGbk(utf8));
  }
  CDeviceState s;
  test::PatternGlyphRenderer pattern;
};

TEST_F(NameFrame, AsciiNameUnitsAndGlyphCells) {
  SetName(1, "CH 1");
  const std::string frame = FrameV(s, 1, pattern);
  ASSERT_EQ(frame.size(), static_cast<std::size_t>(kNameFrameLength));
  EXPECT_TRUE(IsValidFrame(frame));
  EXPECT_EQ(frame.substr(0, kNameAt), "%V,01,01,");
  EXPECT_EQ(NameDigits(frame),
            "0043004800200031"
            "0000000000000000");
  EXPECT_EQ(GlyphArea(frame), PatternArea({{'C', 36}, {'H', 36}, {' ', 36}, {'1', 36}}));
  EXPECT_EQ(frame[kGlyphAt + 576], ',');
}

TEST_F(NameFrame, ChineseNameUsesWideCells) {
  SetName(13, "通道 1");  // an output name: channel 13 is output record 0
  const std::string frame = FrameV(s, 13, pattern);
  ASSERT_EQ(frame.size(), static_cast<std::size_t>(kNameFrameLength));
  EXPECT_EQ(frame.substr(0, kNameAt), "%V,01,0D,");
  EXPECT_EQ(NameDigits(frame),
            "901A905300200031"
            "0000000000000000");
  // GBK lead bytes: 通 = CD A8, 道 = B5 C0.
  EXPECT_EQ(GlyphArea(frame), PatternArea({{0xCD, 72}, {0xB5, 72}, {' ', 36}, {'1', 36}}));
  EXPECT_EQ(pattern.calls, (std::vector<std::string>{"\xCD\xA8", "\xB5\xC0", " ", "1"}));
}

TEST_F(NameFrame, NineCharactersSendEightUnitsAndCutTheGlyphArea) {
  SetName(20, "ABCDEFGHI");
  const std::string frame = FrameV(s, 20, pattern);
  ASSERT_EQ(frame.size(), static_cast<std::size_t>(kNameFrameLength));
  EXPECT_EQ(NameDigits(frame),
            "0041004200430044"
            "0045004600470048");
  EXPECT_EQ(GlyphArea(frame),
            PatternArea({{'A', 36}, {'B', 36}, {'C', 36}, {'D', 36}, {'E', 36}, {'F', 36}, {'G', 36}, {'H', 36}}));
}

TEST_F(NameFrame, FifthChineseCharacterIsCut) {
  SetName(2, "一二三四五");
  const std::vector<std::uint8_t> area = RenderNameGlyphs(NameBytes(s.in[1].shortName), pattern);
  EXPECT_EQ(area.size(), 288u);
  EXPECT_EQ(pattern.calls.size(), 4u);
}

TEST_F(NameFrame, SentAsThreeDatagramsWithPauses) {
  SetName(3, "Vocal");
  test::Timeline t;
  test::RecordingSink sink(t);
  test::RecordingPacer pacer(t);
  FakeClock clock;
  CSendQueue queue(sink, pacer, clock);
  queue.Push(Outgoing{PlanFrame(FrameV(s, 3, pattern)), "127.0.0.1", 0, false, 0, {}});
  EXPECT_EQ(queue.PumpDue(), 3);
  using Step = std::pair<std::size_t, int>;
  EXPECT_EQ(t.Schedule(), (std::vector<Step>{{256, 10}, {256, 10}, {112, 10}}));
  EXPECT_EQ(t.SentBytes(), FrameV(s, 3, pattern));
}

/// True when any pixel of column x carries ink (bits as rendered, before the wire reversal).
bool ColumnHasInk(const std::vector<std::uint8_t>& bits, int x) {
  for (int y = 0; y < kGlyphHeight; ++y) {
    const int bit = x * kGlyphHeight + y;
    if (bits[static_cast<std::size_t>(bit / 8)] & (0x80 >> (bit % 8))) return true;
  }
  return false;
}

class FreeTypeGlyphs : public ::testing::Test {
protected:
  static void SetUpTestSuite() { renderer = new CFreeTypeGlyphRenderer(); }
  static void TearDownTestSuite() { delete renderer; }
  void SetUp() override { ASSERT_TRUE(renderer->HasFont()) << "a CJK font (fonts-wqy-microhei) is required"; }
  static CFreeTypeGlyphRenderer* renderer;
};
CFreeTypeGlyphRenderer* FreeTypeGlyphs::renderer = nullptr;

TEST_F(FreeTypeGlyphs, NarrowStrokesSitInTheMiddleColumns) {
  for (const char* ch : {"I", "1", "l"}) {
    const std::vector<std::uint8_t> bits = renderer->RenderGlyph(ch);
    ASSERT_EQ(bits.size(), static_cast<std::size_t>(kNarrowGlyphBytes));
    for (int x : {0, 1, 2, 9, 10, 11}) EXPECT_FALSE(ColumnHasInk(bits, x)) << ch << " column " << x;
    EXPECT_TRUE(ColumnHasInk(bits, 5) || ColumnHasInk(bits, 6)) << ch;
  }
}

TEST_F(FreeTypeGlyphs, ChineseCharacterFillsAWideCell) {
  const std::vector<std::uint8_t> bits = renderer->RenderGlyph(Utf8ToGbk("通"));
  ASSERT_EQ(bits.size(), static_cast<std::size_t>(kWideGlyphBytes));
  int inkColumns = 0;
  for (int x = 0; x < kWideGlyphWidth; ++x) inkColumns += ColumnHasInk(bits, x) ? 1 : 0;
  EXPECT_GE(inkColumns, 14);  // a full-width character spans most of the cell
  EXPECT_TRUE(ColumnHasInk(bits, 4) && ColumnHasInk(bits, 19));
}

TEST_F(FreeTypeGlyphs, BlankAndMissingCharactersKeepTheirCell) {
  EXPECT_EQ(renderer->RenderGlyph(" "), std::vector<std::uint8_t>(kNarrowGlyphBytes, 0));
  EXPECT_EQ(renderer->RenderGlyph("\xA1\xA1"), std::vector<std::uint8_t>(kWideGlyphBytes, 0));  // ideographic space
}

TEST_F(FreeTypeGlyphs, FrameCarriesTheGlyphsBitReversed) {
  CDeviceState s;
  s.ResetToDefaults();
  SetNameBytes(s.in[0].shortName, Utf8ToGbk("话1"));
  const std::string frame = FrameV(s, 1, *renderer);
  ASSERT_EQ(frame.size(), static_cast<std::size_t>(kNameFrameLength));
  std::vector<std::uint8_t> expected = renderer->RenderGlyph(Utf8ToGbk("话"));
  const std::vector<std::uint8_t> one = renderer->RenderGlyph("1");
  expected.insert(expected.end(), one.begin(), one.end());
  expected.resize(288, 0);
  for (std::uint8_t& b : expected) b = ReverseBits(b);
  EXPECT_EQ(GlyphArea(frame), expected);
  EXPECT_NE(expected, std::vector<std::uint8_t>(288, 0));
}

}  // namespace
}  // namespace orvx
