#include "session/LinkedChannels.h"

#include <algorithm>
#include <array>

#include "session/ControlGroups.h"

namespace orvx {
namespace {

/// Where a member of a gesture stood when it began: its first recorded value, or the state's.
std::int32_t StartOf(const CDeviceState& s, const ParamAddr& a, const UndoStep* gesture) {
  if (gesture != nullptr) {
    for (const UndoEntry& e : gesture->entries)
      if (e.addr == a) return e.before.raw;
  }
  return ReadParam(s, a).raw;
}

/// Where a frame of a member stands in the plan's own frames: its letter and band (the plan
/// addresses another channel); unknown ones after the rest.
std::size_t RankIn(const std::vector<PlanStep>& order, const CommandKey& key) {
  const auto at = std::find_if(order.begin(), order.end(),
                               [&](const PlanStep& p) { return p.key.letter == key.letter && p.key.sub == key.sub; });
  return static_cast<std::size_t>(at - order.begin());
}

/// The members' frames, member after member (inputs, then outputs, by record), each member's in
/// the order of `order`, then in the order of its values.
std::vector<PlanStep> MemberSteps(const std::vector<ParamWrite>& writes, const std::vector<PlanStep>& order) {
  std::vector<std::pair<bool, int>> members;  // (output, record)
  for (const ParamWrite& w : writes) members.emplace_back(Param(w.addr.id).scope == ParamScope::Output, w.addr.record);
  std::sort(members.begin(), members.end());
  members.erase(std::unique(members.begin(), members.end()), members.end());
  std::vector<PlanStep> steps;
  for (const auto& [output, record] : members) {
    std::vector<CommandKey> keys;
    for (const ParamWrite& w : writes) {
      if ((Param(w.addr.id).scope == ParamScope::Output) != output || w.addr.record != record) continue;
      for (const CommandKey& key : CommandsFor(w.addr))
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [&](const CommandKey& a, const CommandKey& b) { return RankIn(order, a) < RankIn(order, b); });
    const int pause = keys.size() > 1 ? kLinkedBlockPauseMs : kLinkedChannelPauseMs;
    for (const CommandKey& key : keys) steps.push_back({key, pause});
  }
  return steps;
}

}  // namespace

int LinkSwitchOf(ParamId id) {
  switch (DspBlockOf(id)) {
    case DspBlock::Equalizer: return kSwitchEq;
    case DspBlock::Compressor:
    case DspBlock::Gate: return kSwitchComp;
    case DspBlock::Limiter: return kSwitchLimit;
    case DspBlock::None: break;
  }
  switch (id) {
    case ParamId::InLevel:
    case ParamId::OutLevel: return kSwitchVol;
    case ParamId::InPolarity: return kSwitchEq;
    case ParamId::InPreamp: return kSwitchGain;
    case ParamId::InPriority: return kSwitchPriority;
    case ParamId::InPhantom: return kSwitchPhantom;
    case ParamId::OutLine: return kSwitchLine;
    case ParamId::OutFbk: return kSwitchFbk;
    case ParamId::OutDelay: return kSwitchDelay;
    default: return -1;
  }
}

std::vector<int> LinkedRecords(const CDeviceState& s, const ParamAddr& addr) {
  std::vector<int> linked;
  const int word = LinkSwitchOf(addr.id);
  if (word < 0 || !IsValidAddr(addr)) return linked;
  const bool output = Param(addr.id).scope == ParamScope::Output;
  const int records = output ? kOutputRecords : kInputRecords;
  std::array<bool, kInputRecords> member{};
  for (int g = 0; g < kGroups; ++g) {
    const ControlGroup& group = s.controlGroups[g];
    const std::int32_t* flags = output ? group.outputs : group.inputs;
    if (s.controlGroupOn[g] == 0 || group.switches[word] == 0 || flags[addr.record] == 0) continue;
    for (int r = 0; r < records; ++r) member[static_cast<std::size_t>(r)] |= flags[r] != 0 && r != addr.record;
  }
  for (int r = 0; r < records; ++r)
    if (member[static_cast<std::size_t>(r)]) linked.push_back(r);
  return linked;
}

LinkedChange LinkedWrites(const CDeviceState& s, const std::vector<ParamWrite>& writes, const UndoStep* gesture,
                          const std::vector<PlanStep>& order) {
  LinkedChange out;
  auto taken = [&](const ParamAddr& a) {
    auto same = [&a](const ParamWrite& w) { return w.addr == a; };
    return std::any_of(writes.begin(), writes.end(), same) || std::any_of(out.writes.begin(), out.writes.end(), same);
  };
  for (const ParamWrite& w : writes) {
    for (int record : LinkedRecords(s, w.addr)) {
      const ParamAddr to{w.addr.id, record, w.addr.index};
      if (!IsValidAddr(to) || taken(to)) continue;  // PRIORITY: inputs 1..8 only
      ParamValue value = ClampParam(w.addr, w.value);
      if (LinkSwitchOf(w.addr.id) == kSwitchVol)
        value.raw = StartOf(s, to, gesture) + (value.raw - StartOf(s, w.addr, gesture));
      out.writes.push_back({to, ClampParam(to, std::move(value))});
    }
  }
  out.steps = MemberSteps(out.writes, order);
  return out;
}

}  // namespace orvx
