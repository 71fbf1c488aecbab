#include "session/DspActions.h"

#include <algorithm>

namespace orvx {
namespace {

constexpr int kResetBands = 4;
constexpr std::int32_t kPeqResetFreq[kResetBands] = {200, 500, 1000, 5000};
constexpr std::int32_t kFlatGain = 150;
constexpr std::int32_t kResetQ = 20;
constexpr std::int32_t kHpfOpen = 20;
constexpr std::int32_t kLpfOpen = 20000;
constexpr std::int32_t kResetSlope = 2;

ParamWrite W(ParamId id, int record, int index, std::int32_t raw) { return {{id, record, index}, {raw, {}}}; }

std::vector<ParamWrite> Writes(int record, std::initializer_list<std::pair<ParamId, std::int32_t>> values) {
  std::vector<ParamWrite> out;
  for (const auto& [id, raw] : values) out.push_back(W(id, record, 0, raw));
  return out;
}

/// The frames that carry these values, in this order, each once, each followed by `pauseMs`.
std::vector<PlanStep> StepsOf(std::initializer_list<ParamAddr> carriers, int pauseMs) {
  std::vector<PlanStep> steps;
  for (const ParamAddr& a : carriers) {
    for (const CommandKey& key : CommandsFor(a)) {
      const bool seen = std::any_of(steps.begin(), steps.end(), [&](const PlanStep& s) { return s.key == key; });
      if (!seen) steps.push_back({key, pauseMs});
    }
  }
  return steps;
}

ParamAddr Band(int record, int band) { return {ParamId::InPeqFreq, record, band}; }
ParamAddr LowPass(int record) { return {ParamId::InLpfFreq, record, 0}; }
ParamAddr HighPass(int record) { return {ParamId::InHpfFreq, record, 0}; }

/// Bands 1..4, then the low-pass and the high-pass.
std::vector<PlanStep> BandsThenFilters(int record, int pauseMs) {
  return StepsOf({Band(record, 0), Band(record, 1), Band(record, 2), Band(record, 3), LowPass(record), HighPass(record)},
                 pauseMs);
}

/// Every value BYPASS keeps: bands 1..4 and both filter blocks.
std::vector<ParamAddr> BypassedValues(int record) {
  std::vector<ParamAddr> out;
  for (int b = 0; b < kResetBands; ++b)
    for (ParamId id : {ParamId::InPeqFreq, ParamId::InPeqGain, ParamId::InPeqQ, ParamId::InPeqType})
      out.push_back({id, record, b});
  for (ParamId id : {ParamId::InHpfOn, ParamId::InHpfFreq, ParamId::InHpfKind, ParamId::InHpfSlope, ParamId::InLpfOn,
                     ParamId::InLpfFreq, ParamId::InLpfKind, ParamId::InLpfSlope})
    out.push_back({id, record, 0});
  return out;
}

/// What BYPASS writes when it switches on: flat bands and open filters.
std::vector<ParamWrite> FlatWrites(int record) {
  std::vector<ParamWrite> out = Writes(record, {{ParamId::InHpfOn, 0},
                                                {ParamId::InLpfOn, 0},
                                                {ParamId::InHpfFreq, kHpfOpen},
                                                {ParamId::InLpfFreq, kLpfOpen}});
  for (int b = 0; b < kResetBands; ++b) out.push_back(W(ParamId::InPeqGain, record, b, kFlatGain));
  return out;
}

}  // namespace

ChangeResult RunDspAction(CChangePath& changes, const DspAction& action) {
  if (action.steps.empty()) return changes.Apply({action.writes, ChangeOrigin::Control, 0});
  PlanRequest plan;
  plan.change = {action.writes, ChangeOrigin::Control, 0};
  plan.steps = action.steps;
  ChangeResult result = ChangeResult::Unchanged;
  changes.ApplyPlan(plan, &result);
  return result;
}

DspAction PeqReset(int record) {
  DspAction a;
  for (int b = 0; b < kResetBands; ++b) {
    a.writes.push_back(W(ParamId::InPeqFreq, record, b, kPeqResetFreq[b]));
    a.writes.push_back(W(ParamId::InPeqGain, record, b, kFlatGain));
    a.writes.push_back(W(ParamId::InPeqQ, record, b, kResetQ));
    a.writes.push_back(W(ParamId::InPeqType, record, b, 0));
  }
  for (const ParamWrite& w : Writes(record, {{ParamId::InHpfFreq, kHpfOpen},
                                             {ParamId::InHpfSlope, kResetSlope},
                                             {ParamId::InHpfOn, 0},
                                             {ParamId::InLpfFreq, kLpfOpen},
                                             {ParamId::InLpfSlope, kResetSlope},
                                             {ParamId::InLpfOn, 0}}))
    a.writes.push_back(w);
  a.steps = BandsThenFilters(record, kEqActionPauseMs);
  return a;
}

DspAction PeqRecall(std::vector<ParamWrite> writes, int record) {
  return {std::move(writes), BandsThenFilters(record, 0)};
}

DspAction CPeqBypass::Switch(const CDeviceState& state, int record) {
  if (record < 0 || record >= kInputRecords) return {};
  DspAction a;
  a.steps = StepsOf({LowPass(record), HighPass(record), Band(record, 0), Band(record, 1), Band(record, 2),
                     Band(record, 3)},
                    kEqActionPauseMs);
  auto& backup = m_backup[record];
  if (!backup) {
    backup.emplace();
    for (const ParamAddr& addr : BypassedValues(record)) backup->push_back({addr, ReadParam(state, addr)});
    a.writes = FlatWrites(record);
    return a;
  }
  // The flat values still standing show that nothing rewrote the EQ while it was bypassed.
  const std::vector<ParamWrite> flat = FlatWrites(record);
  const bool untouched = std::all_of(flat.begin(), flat.end(),
                                     [&](const ParamWrite& w) { return ReadParam(state, w.addr) == w.value; });
  if (untouched) a.writes = std::move(*backup);
  backup.reset();
  return a;
}

void CPeqBypass::Forget(int record) {
  if (record >= 0 && record < kInputRecords) m_backup[record].reset();
}

void CPeqBypass::ForgetAll() {
  for (auto& b : m_backup) b.reset();
}

DspAction GeqReset(int record) {
  DspAction a;
  for (int b = 0; b < kGeqBands; ++b) a.writes.push_back(W(ParamId::OutGeqGain, record, b, kFlatGain));
  return a;
}

DspAction CompressorReset(int record) {
  return {Writes(record, {{ParamId::InCompOn, 1},
                          {ParamId::InCompThreshold, 30},
                          {ParamId::InCompRatio, 10},
                          {ParamId::InCompAttack, 100},
                          {ParamId::InCompRelease, 100},
                          {ParamId::InCompGain, 0}}),
          {}};
}

DspAction GateReset(int record) {
  return {Writes(record, {{ParamId::InGateOn, 1},
                          {ParamId::InGateThreshold, 0},
                          {ParamId::InGateAttack, 1},
                          {ParamId::InGateRelease, 20}}),
          {}};
}

DspAction LimiterReset(int record) {
  return {Writes(record, {{ParamId::OutLimOn, 1},
                          {ParamId::OutLimThreshold, 30},
                          {ParamId::OutLimRatio, 10},
                          {ParamId::OutLimAttack, 100},
                          {ParamId::OutLimRelease, 100},
                          {ParamId::OutLimGain, 0}}),
          {}};
}

DspAction DelayReset() {
  return {Writes(0, {{ParamId::DelayTime1, 133},
                     {ParamId::DelayTime2, 232},
                     {ParamId::DelayFeedback, 38},
                     {ParamId::DelayLpf, 20000}}),
          {}};
}

DspAction ReverbReset() {
  return {Writes(0, {{ParamId::ReverbP1, 61},
                     {ParamId::ReverbP2, 48},
                     {ParamId::ReverbP3, 47},
                     {ParamId::ReverbP4, 50},
                     {ParamId::ReverbTime, 3},
                     {ParamId::ReverbLpf, 20000}}),
          {}};
}

DspAction PresetRecall(PresetKind kind, std::vector<ParamWrite> writes, int record) {
  if (kind == PresetKind::Peq) return PeqRecall(std::move(writes), record);
  if (kind == PresetKind::Limiter && record == 0) {
    // Output 1's recall also sends output 2's limiter as it stands.
    return {std::move(writes), StepsOf({ParamAddr{ParamId::OutLimOn, 0, 0}, ParamAddr{ParamId::OutLimOn, 1, 0}}, 0)};
  }
  return {std::move(writes), {}};
}

}  // namespace orvx
