#pragma once
/// The processor's side of a firmware transfer: it takes "%S" (which image, how many blocks, how
/// long), then every "%T" block in order, answering each with "%Y". Counting from the length plus
/// the two checksum bytes, it knows the last block; it then checks the image's checksum and, a
/// moment later (while it writes its memory), reports "%U" with status 00 or 03. Faults on
/// request: the answer to one block lost, a checksum reported bad, or no report at all.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvx {

struct FirmwareFaults {
  int dropBlockReply = -1;  ///< this block's "%Y" is never sent (-1: none)
  bool badCrc = false;      ///< report 03 whatever the checksum
  bool noResult = false;    ///< never report
};

/// One image as the processor received it.
struct ReceivedImage {
  int target = 0;
  std::vector<std::uint8_t> bytes;  ///< the image without its checksum bytes
  bool crcOk = false;
};

class CFirmwareReceiver {
public:
  /// Status of the completion report.
  static constexpr int kStatusOk = 0;
  static constexpr int kStatusBadCrc = 3;

  explicit CFirmwareReceiver(FirmwareFaults faults = {}) : m_faults(faults) {}

  struct Answer {
    std::vector<std::string> now;    ///< frames to send at once
    std::vector<std::string> later;  ///< frames to send once the image is written (the report)
    std::string note;                ///< for the log: what was wrong or done
  };

  /// "%S": a start that does not add up (count not ceil(length / 1,024), length 0, bad fields) is
  /// not answered and ends any transfer under way.
  Answer Start(std::string_view frame);
  /// "%T": the next block of the image under way, or nothing is answered and the transfer ends.
  Answer Block(std::string_view frame);

  /// Images received whole so far, in order.
  const std::vector<ReceivedImage>& Images() const { return m_images; }

private:
  Answer Abort(std::string why);

  FirmwareFaults m_faults;
  bool m_active = false;
  int m_target = 0;
  std::size_t m_length = 0;
  int m_blocks = 0;  ///< ceil((length + 2) / 1,024): the checksum counts
  int m_next = 0;
  std::vector<std::uint8_t> m_stream;
  std::vector<ReceivedImage> m_images;
};

}  // namespace orvx
