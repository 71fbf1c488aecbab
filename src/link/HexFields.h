#pragma once
/// Reading the processor's report columns: hexadecimal digit groups and comma-separated elements.
///
/// Reports arrive from the network, so nothing here trusts a length: a group that runs past its
/// text reads as if the missing digits were absent, and an element that is not there is empty.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orvx {

/// Value of one upper-case hexadecimal digit; any other character reads as 0.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

/// Value of `digits` hexadecimal digits of `text` starting at `pos`, first digit most significant.
/// Digits beyond the end of `text` are not read.
std::int32_t ReadHex(std::string_view text, std::size_t pos, std::size_t digits);

/// Value of the leading decimal digits of `text` (0 when there are none); saturates instead of
/// overflowing.
std::int32_t ReadDecimal(std::string_view text);

/// The elements of a frame: "%" and the checksum with its "#" removed, split at the commas.
/// Element 0 is the letter, element 1 the device number, element 2 on the report's columns.
/// The checksum is not an element, so a short report never decodes its checksum as a column.
class CReportFields {
public:
  /// More elements than any report carries ("Z" has 28); further ones are not kept.
  static constexpr std::size_t kMaxElements = 32;

  /// Splits a frame already checked by IsValidFrame. The views point into `frame`.
  explicit CReportFields(std::string_view frame);

  /// Element i, or an empty view when the report has no such element.
  std::string_view operator[](std::size_t i) const { return i < m_count ? m_elements[i] : std::string_view{}; }
  std::size_t Count() const { return m_count; }

private:
  std::array<std::string_view, kMaxElements> m_elements{};
  std::size_t m_count = 0;
};

/// Calls fn(index, group) for each complete group of `digits` characters in `column`, at most
/// `maxGroups` of them: a column shorter than expected fills only what it covers, a longer one
/// never reaches past the records it is meant for.
template <typename Fn>
void ForEachGroup(std::string_view column, std::size_t digits, int maxGroups, Fn&& fn) {
  if (digits == 0 || maxGroups <= 0) return;
  const std::size_t available = column.size() / digits;
  const std::size_t count =
      available < static_cast<std::size_t>(maxGroups) ? available : static_cast<std::size_t>(maxGroups);
  for (std::size_t i = 0; i < count; ++i) fn(static_cast<int>(i), column.substr(i * digits, digits));
}

}  // namespace orvx
