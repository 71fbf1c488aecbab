#pragma once
/// The frames of a firmware transfer and of the version queries, and how a block leaves as datagrams.

#include <cstddef>
#include <string>

#include "device/FirmwareImage.h"
#include "link/FramePlan.h"

namespace orvx {

/// A block frame leaves as datagrams of exactly this many bytes, the last padded with NUL bytes...
constexpr std::size_t kBlockDatagramBytes = 256;
/// ...each followed by this pause.
constexpr int kBlockDatagramPauseMs = 20;

/// "%S,01,<target>,<count %02X>,<length %05X>," and its checksum: the start of one image. The
/// widths are minimums: a count of 256 has three digits, a length of 1 MiB six.
std::string FrameUploadStart(UpdateTarget target, int blockCount, std::size_t length);
/// "%T,01,<target>,<index %02X>,<the block as 2,048 upper-case hex digits>," and its checksum.
std::string FrameUploadBlock(UpdateTarget target, int index, const UploadBlock& block);
/// "%r,01,00,": the base version query (lower-case letter).
std::string FrameBasicVersionQuery();

/// A block frame as it leaves: ceil(length / 256) datagrams of 256 bytes, NUL-padded, each
/// followed by kBlockDatagramPauseMs.
FramePlan PlanUploadBlock(const std::string& frame);

}  // namespace orvx
