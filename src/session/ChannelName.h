#pragma once
/// The rule of a channel name typed by the operator: at most 8 bytes in the processor's code page
/// (4 Chinese characters), never empty.

#include <string_view>

namespace orvx {

enum class NameResult { Stored, TooLong, Empty };

NameResult CheckName(std::string_view utf8);
/// The same rule on a name already in the processor's code page.
NameResult CheckNameBytes(std::string_view gbk);

}  // namespace orvx
