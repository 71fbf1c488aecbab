#pragma once
/// Builds a frame the one way every command does: "%" letter "," then fields, each followed by
/// ",", then the checksum and "#".

#include <cstdint>
#include <string>
#include <string_view>

namespace orvx {

/// Appends value as `digits` upper-case hexadecimal digits ("%02X", "%04X", "%X"). A value that
/// does not fit is written whole, as printf would; a negative value is masked to the field width
/// so that it stays a well-formed field instead of eight "F"-led digits.
void AppendHex(std::string& out, std::int32_t value, int digits);

class CFrameBuilder {
public:
  /// Starts "%" letter ",".
  explicit CFrameBuilder(char letter);

  /// One field of `digits` hexadecimal digits followed by ",".
  CFrameBuilder& Field(std::int32_t value, int digits = 2);
  /// Appends one value to the current run (no comma).
  CFrameBuilder& RunValue(std::int32_t value, int digits = 2);
  /// Ends the current run with its one ",".
  CFrameBuilder& EndRun();

  /// Text so far (through the last comma).
  const std::string& Text() const { return m_text; }
  /// The complete frame: the text, its checksum and "#".
  std::string Finish() const;

private:
  std::string m_text;
};

}  // namespace orvx
