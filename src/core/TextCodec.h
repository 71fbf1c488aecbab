#pragma once
/// Conversions between the processor's code page (GBK) and the program's UTF-8 / UTF-16.
/// Invalid input never throws: unconvertible sequences are skipped.

#include <string>
#include <string_view>

namespace orvx {

std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);
std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16);

/// Cuts GBK text to at most maxBytes without splitting a double-byte character.
std::string TruncateGbk(std::string_view gbk, std::size_t maxBytes);

/// True when the first byte starts a double-byte GBK character.
inline bool IsGbkLeadByte(unsigned char c) { return c >= 0x81 && c != 0xFF; }

}  // namespace orvx
