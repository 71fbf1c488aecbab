#include "FirmwareReceiver.h"

#include "WireText.h"
#include "device/FirmwareImage.h"
#include "link/Commands.h"
#include "link/FrameChecksum.h"


namespace orvx {
namespace {

constexpr std::size_t kCrcBytes = 2;
constexpr std::size_t kBlockDigits = 2 * kUploadBlockBytes;

/// "%" letter ",01," and one field (at least two digits).
std::string Reply(char letter, int field) { return DeviceCommand(letter).Field(field).Finish(); }

}  // namespace

CFirmwareReceiver::Answer CFirmwareReceiver::Abort(std::string why) {
  m_active = false;
  m_stream.clear();
  return {{}, {}, std::move(why)};
}

CFirmwareReceiver::Answer CFirmwareReceiver::Start(std::string_view frame) {
  // Elements: letter, device, target, count, length, checksum.
  const std::vector<std::string_view> e = SplitElements(frame);
  if (e.size() != 6) return Abort("start: fields");
  const auto target = ReadHex(e[2], 1);
  const auto count = ReadHex(e[3], 3);
  const auto length = ReadHex(e[4], 6);
  if (!target || *target > 1 || !count || !length || *length <= 0) return Abort("start: fields");
  const std::size_t bytes = static_cast<std::size_t>(*length);
  if (*count != static_cast<int>((bytes + kUploadBlockBytes - 1) / kUploadBlockBytes))
    return Abort("start: count does not match the length");
  m_active = true;
  m_target = *target;
  m_length = bytes;
  m_blocks = static_cast<int>((bytes + kCrcBytes + kUploadBlockBytes - 1) / kUploadBlockBytes);
  m_next = 0;
  m_stream.clear();
  return {{Reply('S', kStatusOk)}, {}, "start of image " + std::to_string(m_target) + ", " + std::to_string(m_blocks) +
                                      " blocks"};
}

CFirmwareReceiver::Answer CFirmwareReceiver::Block(std::string_view frame) {
  if (!m_active) return Abort("block without a start");
  // Elements: letter, device, target, index, data, checksum.
  const std::vector<std::string_view> e = SplitElements(frame);
  if (e.size() != 6) return Abort("block: fields");
  const auto target = ReadHex(e[2], 1);
  const auto index = ReadHex(e[3], 3);
  if (!target || *target != m_target) return Abort("block: another image");
  if (!index || *index != m_next) return Abort("block: out of order");
  if (e[4].size() != kBlockDigits) return Abort("block: not 1,024 bytes");
  const auto data = ReadHexRun(e[4], 2, static_cast<int>(kUploadBlockBytes));
  if (!data) return Abort("block: not hex");
  for (std::int32_t b : *data) m_stream.push_back(static_cast<std::uint8_t>(b));

  Answer answer;
  if (*index != m_faults.dropBlockReply) answer.now.push_back(Reply('Y', *index));
  answer.note = "block " + std::to_string(*index);
  if (++m_next < m_blocks) return answer;

  // The last block: the checksum follows the image, high byte first.
  ReceivedImage image;
  image.target = m_target;
  image.bytes.assign(m_stream.begin(), m_stream.begin() + static_cast<std::ptrdiff_t>(m_length));
  const std::uint16_t crc =
      FrameChecksum(std::string_view(reinterpret_cast<const char*>(image.bytes.data()), image.bytes.size()));
  image.crcOk = m_stream[m_length] == (crc >> 8) && m_stream[m_length + 1] == (crc & 0xFF);
  const bool ok = image.crcOk && !m_faults.badCrc;
  m_active = false;
  m_stream.clear();
  answer.note += ok ? ", image written" : ", image refused (checksum)";
  if (!m_faults.noResult) answer.later.push_back(Reply('U', ok ? kStatusOk : kStatusBadCrc));
  m_images.push_back(std::move(image));
  return answer;
}

}  // namespace orvx
