#pragma once
/// The maker's version page: between the markers "##$$" and "$$##" it names two download
/// addresses and the newest version, separated by "%%%%". Nothing else of the page is read.

#include <optional>
#include <string>
#include <string_view>

namespace orvx {

struct RemoteVersionPage {
  std::string firstAddress;   ///< becomes the first download, sent second (DSP)
  std::string secondAddress;  ///< becomes the second download, sent first (Digital)
  std::string version;        ///< decimal digits, e.g. "32"
};

/// The page's content, or nothing when it cannot be used: a marker missing, fewer than three
/// characters between them, a separator missing, an empty address, or a version that is not
/// decimal digits. Blanks and line ends around each piece are ignored.
std::optional<RemoteVersionPage> ParseVersionPage(std::string_view text);

}  // namespace orvx
