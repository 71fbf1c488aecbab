#pragma once
/// Strict parsing of words typed by an operator or given on a command line.

#include <charconv>
#include <optional>
#include <string_view>

namespace orvx {

/// The whole text as a number within lo..hi, or nothing (no sign tricks, no trailing junk).
template <typename T>
std::optional<T> ParseNumber(std::string_view text, T lo, T hi) {
  T v{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < lo || v > hi) return std::nullopt;
  return v;
}

/// True for an IPv4 address in dotted-quad form; host names are never resolved.
bool IsDottedQuad(std::string_view text);

}  // namespace orvx
