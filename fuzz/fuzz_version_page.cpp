// Arbitrary bytes as the maker's version page: a page is either refused or yields two addresses
// without separators and a version of digits, each found between the markers.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "device/RemoteVersionPage.h"
#include "FuzzCheck.h"

using fuzzcheck::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto page = orvx::ParseVersionPage(text);
  if (!page) return 0;
  Check(text.find("##$$") != std::string_view::npos && text.find("$$##") != std::string_view::npos);
  for (const std::string& address : {page->firstAddress, page->secondAddress}) {
    Check(!address.empty());
    Check(address.find("%%%%") == std::string::npos);
    Check(text.find(address) != std::string_view::npos);
  }
  Check(!page->version.empty());
  Check(std::all_of(page->version.begin(), page->version.end(), [](char c) { return c >= '0' && c <= '9'; }));
  return 0;
}
