#include "device/RemoteVersionPage.h"

#include <algorithm>

namespace orvx {
namespace {

constexpr std::string_view kStartMarker = "##$$";
constexpr std::string_view kEndMarker = "$$##";
constexpr std::string_view kSeparator = "%%%%";
constexpr std::size_t kShortestContent = 3;

std::string_view Trimmed(std::string_view s) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const std::size_t first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

bool AllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<RemoteVersionPage> ParseVersionPage(std::string_view text) {
  const std::size_t start = text.find(kStartMarker);
  if (start == std::string_view::npos) return std::nullopt;
  const std::size_t from = start + kStartMarker.size();
  const std::size_t end = text.find(kEndMarker, from);
  if (end == std::string_view::npos || end - from < kShortestContent) return std::nullopt;
  const std::string_view content = text.substr(from, end - from);

  const std::size_t first = content.find(kSeparator);
  if (first == std::string_view::npos) return std::nullopt;
  const std::string_view rest = content.substr(first + kSeparator.size());
  const std::size_t second = rest.find(kSeparator);
  if (second == std::string_view::npos) return std::nullopt;

  RemoteVersionPage page{std::string(Trimmed(content.substr(0, first))), std::string(Trimmed(rest.substr(0, second))),
                         std::string(Trimmed(rest.substr(second + kSeparator.size())))};
  if (page.firstAddress.empty() || page.secondAddress.empty() || !AllDigits(page.version)) return std::nullopt;
  return page;
}

}  // namespace orvx
