#include "session/UndoStack.h"

#include <algorithm>

namespace orvx {

void CUndoStack::Record(UndoStep step) {
  if (step.entries.empty()) return;
  m_redo.clear();
  if (step.gesture != 0 && !m_undo.empty() && m_undo.back().gesture == step.gesture) {
    UndoStep& top = m_undo.back();
    for (UndoEntry& e : step.entries) {
      auto same =
          std::find_if(top.entries.begin(), top.entries.end(), [&](const UndoEntry& t) { return t.addr == e.addr; });
      if (same != top.entries.end())
        same->after = std::move(e.after);
      else
        top.entries.push_back(std::move(e));
    }
    for (const PlanStep& p : step.paced) {
      const bool known = std::any_of(top.paced.begin(), top.paced.end(), [&](const PlanStep& t) { return t.key == p.key; });
      if (!known) top.paced.push_back(p);
    }
    return;
  }
  m_undo.push_back(std::move(step));
  if (m_undo.size() > kLimit) m_undo.pop_front();
}

void CUndoStack::CommitUndo() {
  if (m_undo.empty()) return;
  UndoStep step = std::move(m_undo.back());
  m_undo.pop_back();
  step.gesture = 0;  // a redone step never merges with a later drag
  m_redo.push_back(std::move(step));
}

void CUndoStack::CommitRedo() {
  if (m_redo.empty()) return;
  m_undo.push_back(std::move(m_redo.back()));
  m_redo.pop_back();
}

void CUndoStack::Clear() {
  m_undo.clear();
  m_redo.clear();
}

}  // namespace orvx
