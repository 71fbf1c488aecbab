#include "device/FirmwareImage.h"

#include <fstream>
#include <string_view>

#include "link/FrameChecksum.h"

namespace orvx {
namespace {

/// The checksum follows the file: two bytes.
constexpr std::size_t kCrcBytes = 2;

int BlocksFor(std::size_t bytes) { return static_cast<int>((bytes + kUploadBlockBytes - 1) / kUploadBlockBytes); }

}  // namespace

CFirmwareImage::CFirmwareImage(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {
  m_crc = FrameChecksum(std::string_view(reinterpret_cast<const char*>(m_bytes.data()), m_bytes.size()));
}

std::optional<CFirmwareImage> CFirmwareImage::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  const std::streamoff size = in.tellg();
  if (size <= 0 || static_cast<std::size_t>(size) > kMaxImageBytes) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size) || in.gcount() != size) return std::nullopt;
  return CFirmwareImage(std::move(bytes));
}

int CFirmwareImage::AnnouncedBlocks() const { return BlocksFor(m_bytes.size()); }

int CFirmwareImage::SentBlocks() const { return BlocksFor(m_bytes.size() + kCrcBytes); }

UploadBlock CFirmwareImage::Block(int index) const {
  UploadBlock block{};
  if (index < 0) return block;
  const std::size_t first = static_cast<std::size_t>(index) * kUploadBlockBytes;
  for (std::size_t i = 0; i < kUploadBlockBytes; ++i) {
    const std::size_t at = first + i;
    if (at < m_bytes.size())
      block[i] = m_bytes[at];
    else if (at == m_bytes.size())
      block[i] = static_cast<std::uint8_t>(m_crc >> 8);
    else if (at == m_bytes.size() + 1)
      block[i] = static_cast<std::uint8_t>(m_crc & 0xFF);
    else
      break;  // the rest stays zero
  }
  return block;
}

}  // namespace orvx
