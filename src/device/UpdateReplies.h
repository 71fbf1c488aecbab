#pragma once
/// Reading what the processor answers during a firmware update. Every reply is gathered as text
/// from one or more datagrams, passed through the frame reassembly (only checksum-valid frames
/// count) and then searched for the frame of the letter that answers the question: a stray report
/// in front of the answer is never taken for it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orvx {

/// Valid frames looked at in one gathered reply; further ones are not read.
constexpr int kMaxReplyFrames = 128;
/// The element of the "Z" reply that holds the firmware version (element 0 the letter).
constexpr std::size_t kFirmwareVersionField = 27;
/// The element of the "r" reply that holds the base version.
constexpr std::size_t kBasicVersionField = 2;

/// The first valid frame with `letter` in `text`, as the reassembly finds them (at most
/// kMaxReplyFrames frames are looked at).
std::optional<std::string> FirstReplyFrame(std::string_view text, char letter);

/// The processor's firmware version from the reply to "%Z": the last two characters of field 27
/// of the first valid "Z" frame (a field of two characters or fewer is taken whole). Nothing when
/// there is no such frame or field, or the field is empty.
std::optional<std::string> HardwareVersionFromReply(std::string_view text);

/// The base version from the reply to "%r": field 2 of the first valid "r" frame, whole.
std::optional<std::string> BasicVersionFromReply(std::string_view text);

/// What the processor reported at the end of one image.
struct UploadResult {
  bool reported = false;  ///< a valid "U" frame came
  bool ok = false;        ///< its status was exactly "00"
  std::string report;     ///< the report frame, shown to the operator when it is not ok
};

/// The completion report: the first valid "U" frame; its status (field 2, after the letter and
/// the device number) must read exactly "00". "0A", ",x" or a missing status is a failure.
UploadResult UploadResultFromReply(std::string_view text);

}  // namespace orvx
