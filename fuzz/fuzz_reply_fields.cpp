// Arbitrary bytes as a reply of the processor: SplitReplyFields accepts exactly the frames whose
// checksum is right, its fields join back into the text before the checksum, and the limit holds.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "device/ReplyFields.h"
#include "link/FrameChecksum.h"
#include "FuzzCheck.h"

using fuzzcheck::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t limit = data[0] % 70;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const auto fields = orvx::SplitReplyFields(text, limit);
  const bool framed = text.size() >= 6 && text.front() == '%' && text.back() == '#';
  if (!framed) {
    Check(!fields);
    return 0;
  }
  const std::string_view before = text.substr(0, text.size() - 5);
  Check(fields.has_value() == (orvx::CompleteFrame(before) == text));
  if (!fields) return 0;
  Check(fields->size() <= limit);
  // Every field and its comma, in order, spell the start of the text after "%".
  std::string joined;
  for (std::string_view f : *fields) {
    Check(f.find(',') == std::string_view::npos);
    joined.append(f).push_back(',');
  }
  Check(before.substr(1).substr(0, joined.size()) == joined);
  return 0;
}
