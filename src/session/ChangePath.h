#pragma once
/// The one path of every user change, whatever its source (a control, typed entry, a menu, a
/// script, undo): check and clamp, write the state (and the linked channels' values, see
/// LinkedChannels.h), record the undo step, tell the views which change bits moved, and queue the
/// frames while online. Offline the state keeps the change and
/// nothing is queued. Reports from the processor write the state directly and never pass here,
/// so nothing is echoed back.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/Captions.h"
#include "core/DeviceState.h"
#include "link/GlyphRenderer.h"
#include "link/SendQueue.h"
#include "session/ParamTable.h"
#include "session/UndoStack.h"

namespace orvx {

namespace captions {
/// Why a change waits: a running plan (a recovery, a recall, a group) owns the value.
inline constexpr Caption kPlanRunning{"Busy: the processor is still being updated. Try again when the progress bar has finished.",
                                      "正在更新处理器，请在进度条结束后再试。"};
}  // namespace captions

enum class ChangeOrigin : std::uint8_t {
  Control,  ///< a click, a list choice, the release of a drag
  Drag,     ///< a fader or knob moving under the operator's hand: paced
  Typed,    ///< the value box
  Menu,
  Script,  ///< orvxctl
  Undo,
  Redo,
};

enum class ChangeResult : std::uint8_t {
  Applied,    ///< stored (and queued while online)
  Unchanged,  ///< every value was already as asked
  Refused,    ///< an address or value is not valid; nothing was written
  Busy,       ///< a running plan owns one of the values; nothing was written
};

struct ParamWrite {
  ParamAddr addr;
  ParamValue value;
};

struct ChangeRequest {
  std::vector<ParamWrite> writes;
  ChangeOrigin origin = ChangeOrigin::Control;
  /// Non-zero for a gesture (one drag): its changes make one undo step. The release (origin
  /// Control with the same gesture) always sends its final frames, even if the value did not move.
  std::uint64_t gesture = 0;
};

/// A multi-frame action: state writes applied at once, then frames sent one after another with a
/// pause between them (a mute group, a preset recall). While it runs, changes to the values it
/// writes are refused (unless `gateAll`: then every change is).
struct PlanRequest {
  ChangeRequest change;
  int pauseMs = 0;       ///< after every frame of the plan
  bool gateAll = false;  ///< scene recall, factory recovery: the whole device is busy
  /// When not empty, the plan sends exactly these frames in this order (a frame may repeat), each
  /// followed by its own pause, instead of one frame per changed value; they go even when no value
  /// moved (the operator asked for them) and `pauseMs` is not used.
  std::vector<PlanStep> steps;
};

class CChangePath {
public:
  using RendererSource = std::function<IGlyphRenderer&()>;
  using Notify = std::function<void(std::uint32_t changeBits)>;

  CChangePath(CDeviceState& state, CSendQueue& queue, RendererSource renderer);

  /// Told on the owner thread, once per change, with the change bits of what moved.
  void SetNotify(Notify notify) { m_notify = std::move(notify); }
  /// Told on the owner thread when a plan that gates changes starts (a window shows its progress).
  void SetPlanStarted(std::function<void()> started) { m_planStarted = std::move(started); }

  ChangeResult Apply(const ChangeRequest& request);
  /// One value; the common case of a control.
  ChangeResult Set(const ParamAddr& addr, ParamValue value, ChangeOrigin origin = ChangeOrigin::Control,
                   std::uint64_t gesture = 0);
  /// A plan: writes now, frames through the send queue as one plan with progress and cancel.
  /// Returns the plan id (0 when nothing was queued: offline, refused, busy, or nothing changed).
  std::uint32_t ApplyPlan(const PlanRequest& plan, ChangeResult* result = nullptr);

  /// Frames built outside the table (the factory recovery push, a unit call) as one plan to the
  /// device address. The caller has written the state and decides whether to send. With `gateAll`
  /// every change is refused until it has gone (and it is refused itself while another plan runs).
  /// Nothing is recorded for undo. Returns the plan id (0: nothing queued).
  std::uint32_t SubmitPlan(FramePlan plan, bool gateAll);

  /// Queues, while online, the frames that carry this value as the state holds it now (a script
  /// repeating a change the processor did not confirm). Nothing is written or recorded.
  void Resend(const ParamAddr& addr);

  /// A fresh gesture id for a drag.
  std::uint64_t NewGesture() { return ++m_lastGesture; }

  /// Why the last change, undo or redo was refused or found busy: a rule between records (a Dante
  /// source already taken, a unit entry already selected) or a running plan; nullptr otherwise.
  const Caption* LastRefusal() const { return m_refusal; }

  bool Undo();
  bool Redo();
  bool CanUndo() const { return m_undo.CanUndo(); }
  bool CanRedo() const { return m_undo.CanRedo(); }
  /// After a full reload from the processor the recorded values no longer describe its state.
  void ClearHistory() { m_undo.Clear(); }
  const CUndoStack& History() const { return m_undo; }

  /// The state was rewritten outside this path (the factory recovery): the recorded steps no
  /// longer describe it, so the history is cleared, and the views are told what moved.
  void StateReplaced(std::uint32_t bits) {
    m_undo.Clear();
    Told(bits);
  }
  /// Progress of any plan this path queued, running or not.
  PlanProgress ProgressOf(std::uint32_t plan) const { return m_queue.Progress(plan); }

  /// The running plan, if any: its progress, and whether it still gates changes.
  std::uint32_t RunningPlan();
  PlanProgress RunningProgress() const;
  void CancelPlan();
  bool Busy() { return RunningPlan() != 0; }

private:
  struct Written {
    std::vector<UndoEntry> entries;
    std::vector<CommandKey> keys;  ///< in order, each once
    std::vector<bool> throttled;
    std::vector<int> pauses;  ///< after each frame (a linked member's), outside any plan
    std::uint32_t bits = 0;
  };
  /// Gives the frames listed in `paced` their pauses.
  static void Pace(Written& w, const std::vector<PlanStep>& paced);
  bool Conflicts(const std::vector<ParamWrite>& writes);
  /// True (and the reason noted) while a plan runs: undo and redo wait for it.
  bool RefuseWhileBusy();
  std::optional<Written> Write(const ChangeRequest& request);
  void Queue(const Written& w);
  std::uint32_t QueuePlan(const Written& w, int pauseMs);
  std::uint32_t QueueSteps(const std::vector<PlanStep>& steps);
  std::uint32_t Submit(FramePlan plan);
  void Told(std::uint32_t bits) const;
  /// A queued plan gates the values it writes (or everything) until it is done.
  void Gate(std::uint32_t plan, std::vector<ParamAddr> owns, bool all);
  bool Replay(const UndoStep& step, bool backwards);

  CDeviceState& m_state;
  CSendQueue& m_queue;
  RendererSource m_renderer;
  Notify m_notify;
  std::function<void()> m_planStarted;
  CUndoStack m_undo;
  std::uint64_t m_lastGesture = 0;
  const Caption* m_refusal = nullptr;

  std::uint32_t m_plan = 0;
  bool m_planGatesAll = false;
  std::vector<ParamAddr> m_planOwns;
};

/// Packs a command key for the send queue's coalescing.
std::uint64_t PackKey(const CommandKey& key);

}  // namespace orvx
