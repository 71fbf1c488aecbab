#pragma once
/// A preset's parameter block: fixed-width fields of hexadecimal digits (2 or 4), in an order of
/// the block's own, with commas only where its layout puts them.
///
/// Each kind of block is a layout (see DelayBlock.h and its siblings): a function that visits the
/// record's fields in block order with their widths, `Fields(record, visitor)`. The same layout
/// writes a block from a record and reads one back into it, so the two directions cannot disagree.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvx::preset {

/// Writes fields as upper-case digits, a 4-digit field high byte first. A value outside what its
/// digits can hold is cut to the nearest one they can: a field never widens and never shifts the
/// fields after it.
class CBlockWriter {
public:
  void Field(std::int32_t value, int digits);
  void Comma() { m_text.push_back(','); }
  std::string Text() && { return std::move(m_text); }

private:
  std::string m_text;
};

/// Reads fields back at their positions. Upper- and lower-case digits read alike; any other
/// character where a digit belongs, a comma missing where one belongs, or a text shorter or
/// longer than the layout spoils the whole block (`Good` turns false).
class CBlockReader {
public:
  explicit CBlockReader(std::string_view text) : m_text(text) {}
  void Field(std::int32_t& value, int digits);
  void Comma();
  /// Every field read and nothing left over.
  bool Good() const { return m_good && m_pos == m_text.size(); }

private:
  std::string_view m_text;
  std::size_t m_pos = 0;
  bool m_good = true;
};

/// Counts the characters of a layout.
class CBlockMeasure {
public:
  void Field(std::int32_t, int digits) { m_length += static_cast<std::size_t>(digits); }
  void Comma() { ++m_length; }
  std::size_t Length() const { return m_length; }

private:
  std::size_t m_length = 0;
};

template <typename Layout, typename Record>
std::string EncodeBlock(const Record& record) {
  CBlockWriter writer;
  Layout::Fields(record, writer);
  return std::move(writer).Text();
}

/// Reads a block into `record`. A refused block leaves the record exactly as it was.
template <typename Layout, typename Record>
bool DecodeBlock(std::string_view text, Record& record) {
  Record read = record;
  CBlockReader reader(text);
  Layout::Fields(read, reader);
  if (!reader.Good()) return false;
  record = read;
  return true;
}

template <typename Layout, typename Record>
std::size_t BlockLengthOf() {
  CBlockMeasure measure;
  const Record record{};
  Layout::Fields(record, measure);
  return measure.Length();
}

}  // namespace orvx::preset
