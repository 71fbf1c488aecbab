#pragma once
/// A JSON string literal for UTF-8 text (quotes, backslashes and control characters escaped).

#include <cstdio>
#include <string>
#include <string_view>

namespace orvx {

inline std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

}  // namespace orvx
