#include "device/UpdateReplies.h"

#include "device/ReplyFields.h"
#include "link/FrameAssembler.h"

namespace orvx {
namespace {

constexpr std::size_t kVersionChars = 2;
constexpr std::size_t kStatusField = 2;
constexpr std::string_view kStatusOk = "00";

/// Field `index` of the first valid `letter` frame, split keeping `limit` fields.
std::optional<std::string> ReplyField(std::string_view text, char letter, std::size_t limit, std::size_t index) {
  const std::optional<std::string> frame = FirstReplyFrame(text, letter);
  if (!frame) return std::nullopt;
  const auto fields = SplitReplyFields(*frame, limit);
  if (!fields || fields->size() <= index) return std::nullopt;
  return std::string((*fields)[index]);
}

}  // namespace

std::optional<std::string> FirstReplyFrame(std::string_view text, char letter) {
  CFrameAssembler assembler;
  std::optional<std::string> found;
  int seen = 0;
  // The gathered reply is fed once, as the text it is; the assembler stops at a NUL.
  assembler.Feed(text, [&](std::string_view frame) {
    if (found || ++seen > kMaxReplyFrames) return;
    if (frame.size() > 1 && frame[1] == letter) found = std::string(frame);
  });
  return found;
}

std::optional<std::string> HardwareVersionFromReply(std::string_view text) {
  std::optional<std::string> field = ReplyField(text, 'Z', kVersionReplyFields, kFirmwareVersionField);
  if (!field || field->empty()) return std::nullopt;
  if (field->size() > kVersionChars) field->erase(0, field->size() - kVersionChars);
  return field;
}

std::optional<std::string> BasicVersionFromReply(std::string_view text) {
  return ReplyField(text, 'r', kShortReplyFields, kBasicVersionField);
}

UploadResult UploadResultFromReply(std::string_view text) {
  UploadResult result;
  const std::optional<std::string> frame = FirstReplyFrame(text, 'U');
  if (!frame) return result;
  result.reported = true;
  result.report = *frame;
  const auto fields = SplitReplyFields(*frame, kShortReplyFields);
  result.ok = fields && fields->size() > kStatusField && (*fields)[kStatusField] == kStatusOk;
  return result;
}

}  // namespace orvx
