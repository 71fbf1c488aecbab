#pragma once
/// The operator's history of changes: one step per user change, a drag or a typed entry being one
/// step however many values it moved.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "session/ParamTable.h"

namespace orvx {

struct UndoEntry {
  ParamAddr addr;
  ParamValue before;
  ParamValue after;
};

/// One frame of a plan whose order and pauses are given by its caller (a mute group, a linked
/// threshold): the frame is built from the state when the plan is queued.
struct PlanStep {
  CommandKey key;
  int pauseMs = 0;  ///< after this frame
};

struct UndoStep {
  std::vector<UndoEntry> entries;
  std::uint64_t gesture = 0;  ///< non-zero: later changes of the same gesture join this step
  int planPauseMs = 0;        ///< the change went out as a plan with this pause between frames
  std::vector<PlanStep> planSteps;  ///< or as these frames, in this order
  /// Frames of a change (not a plan) that went with a pause after them: a linked member's. Each
  /// one's pause by its key; frames not listed go without one.
  std::vector<PlanStep> paced;
};

class CUndoStack {
public:
  static constexpr std::size_t kLimit = 500;

  /// Records a step; a step of the same non-zero gesture as the last one merges into it (keeping
  /// each value's first `before`). Any new step clears the redo list.
  void Record(UndoStep step);
  /// The step a non-zero gesture has recorded so far (nullptr: none yet, or another step followed).
  const UndoStep* GestureStep(std::uint64_t gesture) const {
    return gesture != 0 && !m_undo.empty() && m_undo.back().gesture == gesture ? &m_undo.back() : nullptr;
  }
  /// The step the next undo would replay (nullptr: none). It stays until CommitUndo, so a replay
  /// that was refused keeps its step.
  const UndoStep* NextUndo() const { return m_undo.empty() ? nullptr : &m_undo.back(); }
  /// The undone step moves to the redo list.
  void CommitUndo();
  const UndoStep* NextRedo() const { return m_redo.empty() ? nullptr : &m_redo.back(); }
  /// The redone step moves back to the undo list.
  void CommitRedo();
  void Clear();
  bool CanUndo() const { return !m_undo.empty(); }
  bool CanRedo() const { return !m_redo.empty(); }
  std::size_t UndoDepth() const { return m_undo.size(); }

private:
  std::deque<UndoStep> m_undo;
  std::vector<UndoStep> m_redo;
};

}  // namespace orvx
