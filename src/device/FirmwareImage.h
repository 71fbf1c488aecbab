#pragma once
/// One firmware image as it travels: the file's bytes, then the file's checksum as two bytes (high
/// byte first), cut into blocks of 1,024 bytes numbered from 0, the last one padded with zeros.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvx {

constexpr std::size_t kUploadBlockBytes = 1024;
/// Larger files are refused: no image of the processor comes near this size.
constexpr std::size_t kMaxImageBytes = 16u * 1024u * 1024u;

/// Which of the processor's two images a transfer replaces.
enum class UpdateTarget : int { Dsp = 0, Digital = 1 };

using UploadBlock = std::array<std::uint8_t, kUploadBlockBytes>;

class CFirmwareImage {
public:
  explicit CFirmwareImage(std::vector<std::uint8_t> bytes);

  /// The whole file, or nothing when it cannot be read whole, is empty or larger than kMaxImageBytes.
  static std::optional<CFirmwareImage> Load(const std::string& path);

  std::size_t Length() const { return m_bytes.size(); }
  /// CRC-16/MODBUS over the file's bytes (the frame checksum's algorithm).
  std::uint16_t Crc() const { return m_crc; }
  /// The count the start frame announces: ceil(length / 1,024); the two checksum bytes are not counted.
  int AnnouncedBlocks() const;
  /// The blocks that are sent: ceil((length + 2) / 1,024), one more than announced when the length
  /// modulo 1,024 is 0 or 1,023. The processor counts the checksum in.
  int SentBlocks() const;
  /// Block `index` (0 .. SentBlocks() - 1) of the stream; zeros past its end.
  UploadBlock Block(int index) const;

private:
  std::vector<std::uint8_t> m_bytes;
  std::uint16_t m_crc = 0;
};

}  // namespace orvx
