// Arbitrary bytes as the text gathered after the last block: only a checksum-valid "U" frame with
// status exactly "00" is a success, and the report shown is a valid frame found in the text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "device/ReplyFields.h"
#include "device/UpdateReplies.h"
#include "link/FrameChecksum.h"
#include "FuzzCheck.h"

using fuzzcheck::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const orvx::UploadResult r = orvx::UploadResultFromReply(text);
  Check(!r.ok || r.reported);
  if (!r.reported) {
    Check(r.report.empty());
    return 0;
  }
  Check(orvx::IsValidFrame(r.report) && r.report[1] == 'U');
  Check(text.find(r.report) != std::string_view::npos);
  const auto fields = orvx::SplitReplyFields(r.report, 8);
  Check(fields.has_value());
  Check(r.ok == (fields->size() > 2 && (*fields)[2] == "00"));
  // The versions read from the same text never throw and stay short.
  if (const auto hardware = orvx::HardwareVersionFromReply(text)) Check(!hardware->empty() && hardware->size() <= 2);
  return 0;
}
