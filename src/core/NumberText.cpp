#include "core/NumberText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace orvx {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view head) {
  if (s.size() < head.size()) return false;
  for (std::size_t i = 0; i < head.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(s[i])) != std::toupper(static_cast<unsigned char>(head[i])))
      return false;
  }
  return true;
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
  // Round first so that -0.04 with one decimal shows "0.0", not "-0.0".
  const double scale = std::pow(10.0, decimals);
  double rounded = std::round(value * scale) / scale;
  if (rounded == 0.0) rounded = 0.0;
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, decimals);
  if (ec != std::errc()) return {};
  return std::string(buffer, end);
}

std::optional<double> ParseTypedNumber(std::string_view text, std::string_view unit, std::string_view prefix) {
  std::string_view s = Trim(text);
  if (!prefix.empty() && StartsWithNoCase(s, prefix)) s = Trim(s.substr(prefix.size()));
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  // The number runs over digits, one sign, and one decimal separator.
  std::string number;
  std::size_t i = 0;
  if (i < s.size() && s[i] == '-') number.push_back(s[i++]);
  bool seenPoint = false;
  bool seenDigit = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (std::isdigit(static_cast<unsigned char>(c))) {
      number.push_back(c);
      seenDigit = true;
    } else if ((c == '.' || c == ',') && !seenPoint) {
      // A comma counts as the decimal point only when no "." follows in the text.
      if (c == ',' && s.find('.') != std::string_view::npos) break;
      number.push_back('.');
      seenPoint = true;
    } else {
      break;
    }
  }
  if (!seenDigit) return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) return std::nullopt;
  std::string_view rest = Trim(s.substr(i));
  if (rest.empty()) return value;
  if (!unit.empty() && rest.size() == Trim(unit).size() && StartsWithNoCase(rest, Trim(unit))) return value;
  return std::nullopt;
}

std::string PlainMinus(std::string_view text) {
  static constexpr std::string_view kMinusSign = "\xE2\x88\x92";
  std::string t(text);
  for (auto at = t.find(kMinusSign); at != std::string::npos; at = t.find(kMinusSign, at + 1))
    t.replace(at, kMinusSign.size(), "-");
  return t;
}

std::string Numbered(const char* format, int n) {
  char buf[32];
  std::snprintf(buf, sizeof buf, format, n);
  return buf;
}

}  // namespace orvx
