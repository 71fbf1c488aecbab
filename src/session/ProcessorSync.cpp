#include "session/ProcessorSync.h"

#include "session/ChangedFrames.h"

namespace orvx {

BilingualText CProcessorSync::Compare() {
  m_diffs.clear();
  if (m_session.Changes().Busy()) return BilingualText::Of(captions::kPlanRunning);
  if (!m_session.StartFreshRead()) return BilingualText::Of(captions::kCompareNeedsLink);
  m_phase = FreshReadPhase::Reading;
  return {};
}

bool CProcessorSync::Poll() {
  if (m_phase != FreshReadPhase::Reading) return true;
  const FreshReadStatus read = m_session.FreshRead();
  if (read.phase == FreshReadPhase::Reading) return false;
  m_phase = read.phase == FreshReadPhase::Done && read.state ? FreshReadPhase::Done : FreshReadPhase::Failed;
  if (m_phase == FreshReadPhase::Done) {
    m_processor = *read.state;
    m_diffs = DiffStates(m_processor, m_session.State(), DiffReach::Reported);
  }
  return true;
}

std::uint32_t CProcessorSync::SendEditorValues() {
  if (m_diffs.empty() || !m_session.State().link.online) return 0;
  FramePlan plan =
      ChangedFramesPlan(m_diffs, m_session.State(), [this]() -> IGlyphRenderer& { return m_session.Glyphs(); });
  m_sendPlan = m_session.Changes().SubmitPlan(std::move(plan), true);
  return m_sendPlan;
}

PlanProgress CProcessorSync::SendProgress() const {
  return m_sendPlan == 0 ? PlanProgress{} : m_session.Changes().ProgressOf(m_sendPlan);
}

void CProcessorSync::TakeProcessorValues() {
  CDeviceState& state = m_session.State();
  for (const ValueDifference& d : m_diffs) WriteParam(state, d.addr, d.from);
  m_session.Changes().StateReplaced(change::kAll);
  m_diffs.clear();
}

}  // namespace orvx
