#include "device/FactoryRecovery.h"

#include <algorithm>
#include <cstring>

#include "core/NumberText.h"
#include "core/TextCodec.h"
#include "device/StatePush.h"
#include "link/Commands.h"
#include "link/FramePlan.h"

namespace orvx {
namespace {

constexpr int kFirstLineInput = 8;  // records 8..11 are line inputs: fader down, no preamp gain
constexpr std::int32_t kRecoveryPeqFreq[4] = {200, 500, 1000, 5000};
constexpr std::int32_t kRecoveryDynamics[6] = {0, 30, 100, 100, 0, 10};
constexpr std::int32_t kRecoveryAutomix[6] = {0, 1, 1, 1, 0, 27};
constexpr int kRecoveryThreshold = 35;  // -45 dB

void RecoverInput(InputChannel& c, int record, Language language) {
  std::fill(std::begin(c.route), std::end(c.route), 1);
  for (int b = 0; b < kPeqBands; ++b) {
    PeqBand& band = c.peq[b];
    if (b < 4) band.freq = kRecoveryPeqFreq[b];
    band.gain = 150;
    band.q = 20;
    band.spare[0] = band.spare[1] = 0;
    band.type = 0;
  }
  c.peqOn = 1;
  c.hpfFreq = 20;
  c.hpfKind = 2;
  c.hpfSlope = 2;
  c.hpfOn = 0;
  c.lpfFreq = 20000;
  c.lpfKind = 2;
  c.lpfSlope = 2;
  c.lpfOn = 0;
  c.mute = 0;
  const bool mic = record < kFirstLineInput;
  c.level = mic ? kLevelZeroDb : 0;
  c.phantom = 1;
  c.priority = 0;
  c.source = 0;
  c.preampGain = mic ? 2 : 0;
  c.threshold = kRecoveryThreshold;
  std::copy(std::begin(kRecoveryDynamics), std::end(kRecoveryDynamics), c.comp);
  c.dyn2[0] = 0;
  // "% d" puts a space before the number: "CH 1", "通道 1".
  const char* format = language == Language::Chinese ? "通道% d" : "CH% d";
  SetNameBytes(c.shortName, Utf8ToGbk(Numbered(format, record + 1)));
  c.index = record;
}

void RecoverOutput(OutputChannel& o, int record) {
  for (GeqBand& band : o.geq) {
    band.freq = 0;
    band.gain = 150;
    band.q = 25;
    std::fill(std::begin(band.spare), std::end(band.spare), 0);
  }
  o.geqOn = 0;
  o.mute = 0;
  o.level = 0;
  o.outSettingJ = 0;
  o.lineLevel = 1;
  o.outSettingK = 0;
  std::copy(std::begin(kRecoveryDynamics), std::end(kRecoveryDynamics), o.limiter);
  const bool master = record < kOutputRecords / 2;
  SetNameBytes(o.shortName, Numbered(master ? "M %d" : "D %d", record % (kOutputRecords / 2) + 1));
  o.index = record;
}

}  // namespace

const Caption* RecoveryRefusal(bool updateRunning) { return updateRunning ? &captions::kRecoveryBusy : nullptr; }

void RecoverFactoryState(CDeviceState& s) {
  std::memset(s.controlGroupOn, 0, sizeof s.controlGroupOn);
  std::memset(s.muteGroups, 0, sizeof s.muteGroups);
  std::memset(s.controlGroups, 0, sizeof s.controlGroups);
  std::memset(s.unitSlots, 0, sizeof s.unitSlots);
  for (int r = 0; r < kWireInputs; ++r) RecoverInput(s.in[r], r, s.language);
  for (int r = 0; r < kOutputRecords; ++r) RecoverOutput(s.out[r], r);
  std::copy(std::begin(kRecoveryAutomix), std::end(kRecoveryAutomix), s.automix);
  s.sync = 1;
}

FramePlan FactoryRecoveryPlan(const CDeviceState& s, IGlyphRenderer& renderer) {
  FramePlan plan;
  AppendFrame(plan, FrameQ(false), kRecoveryPauseMs);
  for (int unit = 1; unit <= kUnits; ++unit) AppendFrame(plan, FrameX(s, unit), kRecoveryUnitPauseMs);
  for (int ch = 1; ch <= kWireInputs + kOutputRecords; ++ch) {
    AppendFrame(plan, FrameV(s, ch, renderer), kRecoveryNamePauseMs);
    AppendFrame(plan, FrameA(s, ch), kRecoveryPauseMs);
  }
  AppendMixerPush(plan, s);
  AppendFrame(plan, FrameQ(true), kRecoveryPauseMs);
  return plan;
}

}  // namespace orvx
