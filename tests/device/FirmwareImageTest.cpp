#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string_view>

#include "device/FirmwareImage.h"
#include "device/UploadFrames.h"
#include "link/FrameChecksum.h"

namespace orvx {
namespace {

/// Bytes that differ from block to block and from zero, so a misplaced byte shows.
std::vector<std::uint8_t> Pattern(std::size_t n) {
  std::vector<std::uint8_t> bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(1 + (i * 7) % 251);
  return bytes;
}

struct BlockCase {
  std::size_t length;
  int announced;
  int sent;
};

class ImageBlocks : public ::testing::TestWithParam<BlockCase> {};

TEST_P(ImageBlocks, AnnounceTheFileAndSendTheChecksumBehindIt) {
  const BlockCase c = GetParam();
  const std::vector<std::uint8_t> bytes = Pattern(c.length);
  const CFirmwareImage image(bytes);
  EXPECT_EQ(image.AnnouncedBlocks(), c.announced);
  EXPECT_EQ(image.SentBlocks(), c.sent);
  const std::uint16_t crc = FrameChecksum(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  EXPECT_EQ(image.Crc(), crc);

  // The stream read back block by block: the file, the checksum high byte first, then zeros.
  std::vector<std::uint8_t> stream;
  for (int i = 0; i < image.SentBlocks(); ++i) {
    const UploadBlock block = image.Block(i);
    stream.insert(stream.end(), block.begin(), block.end());
  }
  ASSERT_EQ(stream.size(), static_cast<std::size_t>(c.sent) * kUploadBlockBytes);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), stream.begin()));
  EXPECT_EQ(stream[c.length], crc >> 8);
  EXPECT_EQ(stream[c.length + 1], crc & 0xFF);
  EXPECT_TRUE(std::all_of(stream.begin() + static_cast<std::ptrdiff_t>(c.length + 2), stream.end(),
                          [](std::uint8_t b) { return b == 0; }));
}

INSTANTIATE_TEST_SUITE_P(Edges, ImageBlocks,
                         ::testing::Values(BlockCase{100, 1, 1},    // data, checksum and zeros in one block
                                           BlockCase{2047, 2, 3},   // the checksum straddles blocks 1 and 2
                                           BlockCase{2048, 2, 3},   // a third block holds only the checksum
                                           BlockCase{2049, 3, 3},   // announced and sent agree again
                                           BlockCase{1022, 1, 1}));  // the checksum just fits

TEST(UploadFrames, StartAndBlockCarryTheirFieldsAtTheirWidths) {
  EXPECT_EQ(FrameUploadStart(UpdateTarget::Digital, 2, 2048), CompleteFrame("%S,01,1,02,00800,"));
  EXPECT_EQ(FrameUploadStart(UpdateTarget::Dsp, 300, 0x123456), CompleteFrame("%S,01,0,12C,123456,"))
      << "the widths are minimums";

  UploadBlock block{};
  block[0] = 0xAB;
  block[1023] = 0x0C;
  const std::string frame = FrameUploadBlock(UpdateTarget::Dsp, 256, block);
  const std::string head = "%T,01,0,100,AB";
  EXPECT_EQ(frame.substr(0, head.size()), head) << "block index 256 is written 100";
  EXPECT_EQ(frame.size(), 12u + 2048u + 1u + 5u);
  EXPECT_EQ(frame.substr(12 + 2046, 3), "0C,");
  EXPECT_TRUE(IsValidFrame(frame));
  EXPECT_EQ(FrameUploadBlock(UpdateTarget::Digital, 1, block).size(), 2065u);

  EXPECT_EQ(FrameBasicVersionQuery(), CompleteFrame("%r,01,00,"));
}

TEST(UploadFrames, ABlockLeavesAsNineNulPaddedDatagramsOf256Bytes) {
  const std::string frame = FrameUploadBlock(UpdateTarget::Digital, 0, UploadBlock{});
  const FramePlan plan = PlanUploadBlock(frame);
  ASSERT_EQ(plan.size(), 9u);
  std::string joined;
  for (const Datagram& d : plan) {
    EXPECT_EQ(d.bytes.size(), kBlockDatagramBytes);
    EXPECT_EQ(d.pauseAfterMs, 20);
    joined += d.bytes;
  }
  EXPECT_EQ(joined.substr(0, frame.size()), frame);
  EXPECT_EQ(joined.find_first_not_of('\0', frame.size()), std::string::npos) << "only NUL bytes after the frame";
}

TEST(FirmwareImage, LoadsAWholeFileAndRefusesAnEmptyOrMissingOne) {
  const std::string dir = ::testing::TempDir();
  const std::string good = dir + "/orvx-image-good.bin";
  const std::string empty = dir + "/orvx-image-empty.bin";
  const std::vector<std::uint8_t> bytes = Pattern(3000);
  std::ofstream(good, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 3000);
  std::ofstream(empty, std::ios::binary).flush();

  const auto image = CFirmwareImage::Load(good);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Length(), 3000u);
  EXPECT_EQ(image->Block(2)[3000 - 2048 - 1], bytes.back());
  EXPECT_FALSE(CFirmwareImage::Load(empty));
  EXPECT_FALSE(CFirmwareImage::Load(dir + "/orvx-image-missing.bin"));
  std::remove(good.c_str());
  std::remove(empty.c_str());
}

}  // namespace
}  // namespace orvx
