#include "device/UploadFrames.h"

#include "link/Commands.h"
#include "link/FrameBuilder.h"

namespace orvx {
namespace {

constexpr int kCountDigits = 2;
constexpr int kLengthDigits = 5;

}  // namespace

std::string FrameUploadStart(UpdateTarget target, int blockCount, std::size_t length) {
  // The target is written in decimal; 0 and 1 are the same single digit in hexadecimal.
  return DeviceCommand('S')
      .Field(static_cast<int>(target), 1)
      .Field(blockCount, kCountDigits)
      .Field(static_cast<std::int32_t>(length), kLengthDigits)
      .Finish();
}

std::string FrameUploadBlock(UpdateTarget target, int index, const UploadBlock& block) {
  CFrameBuilder b = DeviceCommand('T');
  b.Field(static_cast<int>(target), 1).Field(index, kCountDigits);
  for (std::uint8_t byte : block) b.RunValue(byte, 2);
  return b.EndRun().Finish();
}

std::string FrameBasicVersionQuery() { return DeviceCommand('r').Field(0).Finish(); }

FramePlan PlanUploadBlock(const std::string& frame) {
  FramePlan plan;
  for (std::size_t at = 0; at < frame.size(); at += kBlockDatagramBytes) {
    std::string piece = frame.substr(at, kBlockDatagramBytes);
    piece.resize(kBlockDatagramBytes, '\0');
    plan.push_back(Datagram{std::move(piece), kBlockDatagramPauseMs});
  }
  return plan;
}

}  // namespace orvx
