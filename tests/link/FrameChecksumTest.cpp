#include "link/FrameChecksum.h"

#include <gtest/gtest.h>

#include <random>

namespace orvx {
namespace {

/// Straightforward bit-by-bit CRC-16/MODBUS, independent of the table.
std::uint16_t BitwiseCrc(std::string_view text) {
  std::uint16_t crc = 0xFFFF;
  for (unsigned char c : text) {
    crc ^= c;
    for (int i = 0; i < 8; ++i) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  return crc;
}

TEST(FrameChecksum, KnownValues) {
  EXPECT_EQ(FrameChecksum("abc"), 0x5749);
  EXPECT_EQ(FrameChecksum("%R,01,00,"), 0x30A0);
  EXPECT_EQ(FrameChecksum("123456789"), 0x4B37);  // the CRC-16/MODBUS check value
  EXPECT_EQ(FrameChecksum(""), 0xFFFF);
}

TEST(FrameChecksum, TableMatchesBitwiseOnEveryByteAndRandomText) {
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    ASSERT_EQ(FrameChecksum(one), BitwiseCrc(one)) << "byte " << b;
  }
  std::mt19937 rng(7);
  for (int n = 0; n < 200; ++n) {
    std::string text(rng() % 700, '\0');
    for (char& c : text) c = static_cast<char>(rng());
    ASSERT_EQ(FrameChecksum(text), BitwiseCrc(text));
  }
}

TEST(FrameChecksum, CompleteFrameAppendsUpperCaseDigitsAndTerminator) {
  EXPECT_EQ(CompleteFrame("%R,01,00,"), "%R,01,00,30A0#");
  EXPECT_EQ(CompleteFrame("abc"), "abc5749#");
}

TEST(FrameChecksum, IsValidFrameTable) {
  struct Case {
    const char* frame;
    bool valid;
  } cases[] = {
      {"%R,01,00,30A0#", true},
      {"%R,01,00,30a0#", false},   // lower-case digits are not accepted
      {"%R,01,00,30A1#", false},   // wrong checksum
      {"%R,01,00,30A0", false},    // no terminator
      {"%R,01,00,30A0#x", false},  // anything after the terminator
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidFrame(c.frame), c.valid) << c.frame;
  // Eight characters are too short to be a frame even with the right checksum.
  const std::string eight = CompleteFrame("%A,");
  ASSERT_EQ(eight.size(), 8u);
  EXPECT_FALSE(IsValidFrame(eight));
  // Nine characters with a matching checksum is the shortest frame accepted.
  const std::string nine = CompleteFrame("%Ab,");
  ASSERT_EQ(nine.size(), 9u);
  EXPECT_TRUE(IsValidFrame(nine));
}

}  // namespace
}  // namespace orvx
