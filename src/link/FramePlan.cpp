#include "link/FramePlan.h"

namespace orvx {
namespace {

/// Frames after which the processor needs a moment before the next one.
bool NeedsPause(const std::string& frame) {
  return frame.rfind("%Z,", 0) == 0 || frame.rfind("%W,", 0) == 0 || frame.rfind("%X,", 0) == 0;
}

}  // namespace

FramePlan PlanFrame(const std::string& frame) {
  FramePlan plan;
  if (frame.empty()) return plan;
  if (frame.rfind("%V,", 0) == 0) {
    // The name frame is longer than the processor takes at once: pieces with a pause after each.
    for (std::size_t at = 0; at < frame.size(); at += kNamePieceBytes) {
      plan.push_back(Datagram{frame.substr(at, kNamePieceBytes), kBulkPauseMs});
    }
    return plan;
  }
  plan.push_back(Datagram{frame, NeedsPause(frame) ? kBulkPauseMs : 0});
  return plan;
}

void AppendFrame(FramePlan& plan, const std::string& frame, int pauseMs) {
  FramePlan pieces = PlanFrame(frame);
  if (pieces.empty()) return;
  pieces.back().pauseAfterMs = pauseMs;
  plan.insert(plan.end(), pieces.begin(), pieces.end());
}

}  // namespace orvx
