#include "device/UpdatePortRelease.h"

namespace orvx {
namespace {

constexpr int kPairPauseMs = 200;
constexpr int kPairs = 3;
constexpr int kReceiverQueryPauseMs = 100;
constexpr int kSettleMs = 500;
constexpr int kRemoteSettleMs = 1000;

}  // namespace

std::vector<ReleaseStep> UpdatePortRelease(UpdateKind kind, const LinkActivity& link) {
  using A = ReleaseAction;
  std::vector<ReleaseStep> steps;
  if (kind == UpdateKind::Local) {
    if (link.connected) {
      for (int pair = 0; pair < kPairs; ++pair) {
        steps.push_back({A::StopReports, 0});
        steps.push_back({A::StopReports, pair + 1 < kPairs ? kPairPauseMs : 0});
      }
      steps.push_back({A::MarkDisconnected, 0});
    }
    if (link.searching) steps.push_back({A::StopSearch, kSettleMs});
    if (link.receiving) {
      steps.push_back({A::StopReports, kReceiverQueryPauseMs});
      steps.push_back({A::StopReports, 0});
      steps.push_back({A::StopReceiving, kSettleMs});
    }
    return steps;
  }
  if (link.connected) {
    steps.push_back({A::StopReports, 0});
    steps.push_back({A::StopReceiving, 0});
    steps.push_back({A::MarkDisconnected, kRemoteSettleMs});
  }
  if (link.searching) steps.push_back({A::StopSearch, kSettleMs});
  if (link.receiving && !link.connected) steps.push_back({A::StopReceiving, kSettleMs});
  return steps;
}

int ReleasePauseMs(const std::vector<ReleaseStep>& steps) {
  int total = 0;
  for (const ReleaseStep& s : steps) total += s.pauseAfterMs;
  return total;
}

}  // namespace orvx
