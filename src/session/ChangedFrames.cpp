#include "session/ChangedFrames.h"

#include <algorithm>
#include <string_view>
#include <tuple>

#include "device/SceneRecall.h"
#include "device/StatePush.h"

namespace orvx {
namespace {

/// The letters in the order the whole-state push sends them.
constexpr std::string_view kPushOrder = "VAXBCEFODHIJKLGMN";

int PauseAfter(char letter) {
  if (letter == 'V') return kRecallNamePauseMs;
  if (letter == 'X') return kRecallUnitPauseMs;
  return kPushPauseMs;
}

}  // namespace

FramePlan ChangedFramesPlan(const std::vector<ValueDifference>& diffs, const CDeviceState& to,
                            const GlyphSource& glyphs) {
  std::vector<CommandKey> keys;
  for (const ValueDifference& d : diffs) {
    for (const CommandKey& k : CommandsFor(d.addr)) {
      if (std::find(keys.begin(), keys.end(), k) == keys.end()) keys.push_back(k);
    }
  }
  std::stable_sort(keys.begin(), keys.end(), [](const CommandKey& a, const CommandKey& b) {
    const auto rank = [](const CommandKey& k) { return std::make_tuple(kPushOrder.find(k.letter), k.target, k.sub); };
    return rank(a) < rank(b);
  });
  FramePlan plan;
  for (const CommandKey& k : keys) AppendFrame(plan, BuildCommandFrame(to, k, glyphs), PauseAfter(k.letter));
  return plan;
}

}  // namespace orvx
