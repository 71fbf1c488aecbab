#include "device/ReplyFields.h"

#include "link/FrameChecksum.h"

namespace orvx {
namespace {

/// The four checksum digits and the "#".
constexpr std::size_t kTail = 5;

}  // namespace

std::optional<std::vector<std::string_view>> SplitReplyFields(std::string_view frame, std::size_t limit) {
  if (frame.size() < 1 + kTail || frame.front() != '%' || frame.back() != '#') return std::nullopt;
  const std::string_view checked = frame.substr(0, frame.size() - kTail);
  if (CompleteFrame(checked) != frame) return std::nullopt;
  std::vector<std::string_view> fields;
  std::string_view rest = checked.substr(1);
  for (std::size_t comma = rest.find(','); comma != std::string_view::npos && fields.size() < limit;
       comma = rest.find(',')) {
    fields.push_back(rest.substr(0, comma));
    rest.remove_prefix(comma + 1);
  }
  return fields;
}

}  // namespace orvx
