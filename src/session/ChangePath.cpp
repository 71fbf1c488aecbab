#include "session/ChangePath.h"

#include "session/ValueRules.h"

#include <algorithm>

#include "link/FramePlan.h"
#include "session/ChannelName.h"
#include "session/CommandFrames.h"
#include "session/LinkedChannels.h"

namespace orvx {

namespace {

bool Recorded(ChangeOrigin origin) { return origin != ChangeOrigin::Undo && origin != ChangeOrigin::Redo; }

/// The frames of the values `writes` would change, each once and in order, with `pauseMs` after each.
std::vector<PlanStep> ChangedSteps(const CDeviceState& s, const std::vector<ParamWrite>& writes, int pauseMs) {
  std::vector<PlanStep> steps;
  for (const ParamWrite& w : writes) {
    if (!IsValidAddr(w.addr) || ReadParam(s, w.addr) == ClampParam(w.addr, w.value)) continue;
    for (const CommandKey& key : CommandsFor(w.addr)) {
      auto same = [&key](const PlanStep& p) { return p.key == key; };
      if (std::none_of(steps.begin(), steps.end(), same)) steps.push_back({key, pauseMs});
    }
  }
  return steps;
}

}  // namespace

std::uint64_t PackKey(const CommandKey& key) {
  return (static_cast<std::uint64_t>(static_cast<unsigned char>(key.letter)) << 40) |
         (static_cast<std::uint64_t>(static_cast<std::uint32_t>(key.target) & 0xFFFFu) << 16) |
         (static_cast<std::uint64_t>(static_cast<std::uint32_t>(key.sub) & 0xFFFFu));
}

CChangePath::CChangePath(CDeviceState& state, CSendQueue& queue, RendererSource renderer)
    : m_state(state), m_queue(queue), m_renderer(std::move(renderer)) {}

void CChangePath::Told(std::uint32_t bits) const {
  if (bits != 0 && m_notify) m_notify(bits);
}

bool CChangePath::Conflicts(const std::vector<ParamWrite>& writes) {
  m_refusal = nullptr;
  if (RunningPlan() == 0) return false;
  const bool owned = m_planGatesAll || std::any_of(writes.begin(), writes.end(), [this](const ParamWrite& w) {
                       return std::find(m_planOwns.begin(), m_planOwns.end(), w.addr) != m_planOwns.end();
                     });
  if (owned) m_refusal = &captions::kPlanRunning;
  return owned;
}

std::optional<CChangePath::Written> CChangePath::Write(const ChangeRequest& request) {
  // Check everything first: a request is applied whole or not at all.
  for (const ParamWrite& w : request.writes) {
    if (!IsValidAddr(w.addr)) return std::nullopt;
    // Channel names follow the name rule; a group name is cut to its field and may be cleared.
    const bool channelName = w.addr.id == ParamId::InName || w.addr.id == ParamId::OutName;
    if (channelName && CheckNameBytes(w.value.text) != NameResult::Stored) return std::nullopt;
  }
  // The rules between records judge what would be stored, so they see the clamped values.
  std::vector<ParamWrite> clamped;
  clamped.reserve(request.writes.size());
  for (const ParamWrite& w : request.writes) clamped.push_back({w.addr, ClampParam(w.addr, w.value)});
  m_refusal = RuleConflict(m_state, clamped);
  if (m_refusal) return std::nullopt;
  Written out;
  const bool release = request.gesture != 0 && request.origin != ChangeOrigin::Drag;
  for (const ParamWrite& w : clamped) {
    const ParamValue& value = w.value;
    const ParamValue before = ReadParam(m_state, w.addr);
    const bool moved = !(before == value);
    // The release of a drag sends its final value even when the last move already stored it.
    if (!moved && !release) continue;
    const ParamDef& def = Param(w.addr.id);
    if (moved) {
      WriteParam(m_state, w.addr, value);
      out.entries.push_back({w.addr, before, value});
      out.bits |= def.changeBits;
    }
    const bool throttle = request.origin == ChangeOrigin::Drag && def.draggable;
    for (const CommandKey& key : CommandsFor(w.addr)) {
      if (std::find(out.keys.begin(), out.keys.end(), key) != out.keys.end()) continue;
      out.keys.push_back(key);
      out.throttled.push_back(throttle);
      out.pauses.push_back(0);
    }
  }
  return out;
}

void CChangePath::Pace(Written& w, const std::vector<PlanStep>& paced) {
  for (std::size_t i = 0; i < w.keys.size(); ++i) {
    const auto step = std::find_if(paced.begin(), paced.end(), [&](const PlanStep& p) { return p.key == w.keys[i]; });
    if (step != paced.end()) w.pauses[i] = step->pauseMs;
  }
}

void CChangePath::Queue(const Written& w) {
  if (!m_state.link.online) return;  // offline: the state keeps the change, nothing is queued
  for (std::size_t i = 0; i < w.keys.size(); ++i) {
    Outgoing o;
    o.datagrams = PlanFrame(BuildCommandFrame(m_state, w.keys[i], m_renderer));
    if (!o.datagrams.empty()) o.datagrams.back().pauseAfterMs = std::max(o.datagrams.back().pauseAfterMs, w.pauses[i]);
    o.ip = m_state.link.deviceIp;
    o.key = PackKey(w.keys[i]);
    o.throttled = w.throttled[i];
    m_queue.Push(std::move(o));
  }
}

std::uint32_t CChangePath::QueuePlan(const Written& w, int pauseMs) {
  std::vector<PlanStep> steps;
  steps.reserve(w.keys.size());
  for (const CommandKey& key : w.keys) steps.push_back({key, pauseMs});
  return QueueSteps(steps);
}

std::uint32_t CChangePath::QueueSteps(const std::vector<PlanStep>& steps) {
  if (!m_state.link.online) return 0;
  FramePlan plan;
  for (const PlanStep& step : steps) {
    FramePlan frame = PlanFrame(BuildCommandFrame(m_state, step.key, m_renderer));
    if (frame.empty()) continue;
    frame.back().pauseAfterMs = std::max(frame.back().pauseAfterMs, step.pauseMs);
    plan.insert(plan.end(), frame.begin(), frame.end());
  }
  return Submit(std::move(plan));
}

std::uint32_t CChangePath::Submit(FramePlan plan) {
  return plan.empty() ? 0 : m_queue.SubmitPlan(std::move(plan), m_state.link.deviceIp);
}

ChangeResult CChangePath::Apply(const ChangeRequest& request) {
  // The operator's changes move the linked channels too; undo and redo replay what was recorded.
  LinkedChange linked;
  if (Recorded(request.origin)) linked = LinkedWrites(m_state, request.writes, m_undo.GestureStep(request.gesture));
  ChangeRequest all = request;
  all.writes.insert(all.writes.end(), linked.writes.begin(), linked.writes.end());
  if (Conflicts(all.writes)) return ChangeResult::Busy;
  auto written = Write(all);
  if (!written) return ChangeResult::Refused;
  Pace(*written, linked.steps);
  if (Recorded(request.origin)) m_undo.Record(UndoStep{written->entries, request.gesture, 0, {}, linked.steps});
  Told(written->bits);
  Queue(*written);
  return written->entries.empty() ? ChangeResult::Unchanged : ChangeResult::Applied;
}

ChangeResult CChangePath::Set(const ParamAddr& addr, ParamValue value, ChangeOrigin origin, std::uint64_t gesture) {
  return Apply(ChangeRequest{{ParamWrite{addr, std::move(value)}}, origin, gesture});
}

std::uint32_t CChangePath::ApplyPlan(const PlanRequest& request, ChangeResult* result) {
  auto say = [&](ChangeResult r) {
    if (result) *result = r;
  };
  PlanRequest plan = request;
  if (Recorded(plan.change.origin)) {
    LinkedChange linked = LinkedWrites(m_state, plan.change.writes, nullptr, plan.steps);
    if (!linked.writes.empty()) {
      // The plan's own frames as it would send them, then the members'.
      if (plan.steps.empty()) plan.steps = ChangedSteps(m_state, plan.change.writes, plan.pauseMs);
      plan.steps.insert(plan.steps.end(), linked.steps.begin(), linked.steps.end());
      plan.change.writes.insert(plan.change.writes.end(), linked.writes.begin(), linked.writes.end());
    }
  }
  if (Conflicts(plan.change.writes) || (plan.gateAll && RefuseWhileBusy())) {
    say(ChangeResult::Busy);
    return 0;
  }
  auto written = Write(plan.change);
  if (!written) {
    say(ChangeResult::Refused);
    return 0;
  }
  if (Recorded(plan.change.origin)) m_undo.Record(UndoStep{written->entries, 0, plan.pauseMs, plan.steps, {}});
  Told(written->bits);
  say(written->entries.empty() ? ChangeResult::Unchanged : ChangeResult::Applied);
  const std::uint32_t id = plan.steps.empty() ? QueuePlan(*written, plan.pauseMs) : QueueSteps(plan.steps);
  std::vector<ParamAddr> owns;
  for (const ParamWrite& w : plan.change.writes) owns.push_back(w.addr);
  Gate(id, std::move(owns), plan.gateAll);
  return id;
}

std::uint32_t CChangePath::SubmitPlan(FramePlan plan, bool gateAll) {
  if (!gateAll) return Submit(std::move(plan));
  if (RunningPlan() != 0) return 0;
  const std::uint32_t id = Submit(std::move(plan));
  Gate(id, {}, true);
  return id;
}

void CChangePath::Gate(std::uint32_t plan, std::vector<ParamAddr> owns, bool all) {
  if (plan == 0) return;
  m_plan = plan;
  m_planOwns = std::move(owns);
  m_planGatesAll = all;
  if (m_planStarted) m_planStarted();
}

std::uint32_t CChangePath::RunningPlan() {
  if (m_plan != 0 && m_queue.Progress(m_plan).Done()) {
    m_plan = 0;
    m_planOwns.clear();
    m_planGatesAll = false;
  }
  return m_plan;
}

PlanProgress CChangePath::RunningProgress() const { return m_plan == 0 ? PlanProgress{} : m_queue.Progress(m_plan); }

void CChangePath::CancelPlan() {
  if (m_plan != 0) m_queue.CancelPlan(m_plan);
  RunningPlan();
}

bool CChangePath::Replay(const UndoStep& step, bool backwards) {
  ChangeRequest request;
  request.origin = backwards ? ChangeOrigin::Undo : ChangeOrigin::Redo;
  for (const UndoEntry& e : step.entries) request.writes.push_back({e.addr, backwards ? e.before : e.after});
  if (Conflicts(request.writes)) return false;
  auto written = Write(request);
  if (!written) return false;
  Told(written->bits);
  // The same frames the original change sent: a plan goes as a plan again, with its pauses.
  if (step.planPauseMs > 0 || !step.planSteps.empty()) {
    std::vector<ParamAddr> owns;
    for (const UndoEntry& e : step.entries) owns.push_back(e.addr);
    const std::uint32_t id =
        step.planSteps.empty() ? QueuePlan(*written, step.planPauseMs) : QueueSteps(step.planSteps);
    Gate(id, std::move(owns), false);
  } else {
    Pace(*written, step.paced);
    Queue(*written);
  }
  return true;
}

void CChangePath::Resend(const ParamAddr& addr) {
  if (!IsValidAddr(addr)) return;
  Written w;
  for (const CommandKey& key : CommandsFor(addr)) {
    w.keys.push_back(key);
    w.throttled.push_back(false);
    w.pauses.push_back(0);
  }
  Queue(w);
}

bool CChangePath::RefuseWhileBusy() {
  const bool busy = Busy();
  m_refusal = busy ? &captions::kPlanRunning : nullptr;
  return busy;
}

bool CChangePath::Undo() {
  const UndoStep* step = m_undo.NextUndo();
  if (!step || RefuseWhileBusy() || !Replay(*step, true)) return false;  // refused: the step stays, LastRefusal says why
  m_undo.CommitUndo();
  return true;
}

bool CChangePath::Redo() {
  const UndoStep* step = m_undo.NextRedo();
  if (!step || RefuseWhileBusy() || !Replay(*step, false)) return false;
  m_undo.CommitRedo();
  return true;
}

}  // namespace orvx
