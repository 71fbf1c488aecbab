#include "session/SystemController.h"

#include <charconv>

#include "session/AppOptions.h"
#include "session/ProfileRules.h"

namespace orvx {

int SpanTimeFromText(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end == text.data()) return 0;
  return value < 0 ? 0 : value;
}

CSystemController::CSystemController(IShellSession& session, IProfileStore& profile)
    : m_session(session), m_profile(profile), m_units(session.State()) {}

bool CSystemController::SelectTab(SystemTab tab) {
  if (!TabOffered(tab) || static_cast<int>(tab) < 0 || static_cast<int>(tab) >= kSystemTabs) return false;
  m_tab = tab;
  if (tab == SystemTab::Display) RefreshUnits();
  return true;
}

bool CSystemController::ConfirmAddress(const std::string& ip) {
  if (!IsDottedQuad(ip)) return false;
  m_session.State().link.deviceIp = ip;
  m_profile.Write(kProfileSection, kProfileHostIp, ip);
  return true;
}

bool CSystemController::ChooseFound(int row) {
  const std::vector<FoundDevice> found = m_session.Search().found;
  if (row < 0 || row >= static_cast<int>(found.size())) return false;
  return ConfirmAddress(found[static_cast<std::size_t>(row)].ip);
}

void CSystemController::ConfirmSpanTime(std::string_view text) { m_session.SetSendInterval(SpanTimeFromText(text)); }

const Caption* CSystemController::ChangeSlot(int slot, int index) {
  const int unit = m_units.CurrentUnit();
  if (unit == kNoUnit || slot < 0 || slot >= kUnitSlotBytes || index < 0 || index >= kSlotEntries) return nullptr;
  CChangePath& path = m_session.Changes();
  const ChangeResult result = path.Set({ParamId::UnitSlot, unit, slot}, {index, {}});
  return result == ChangeResult::Refused || result == ChangeResult::Busy ? path.LastRefusal() : nullptr;
}

const Caption* CSystemController::CallRefusal() const {
  // "connecting" holds from the CONNECT press on, before the link's socket is open.
  if (!m_session.State().link.online) return &captions::kCallNeedsLink;
  if (m_units.CurrentUnit() == kNoUnit) return &captions::kCallNeedsUnit;
  return nullptr;
}

bool CSystemController::CallUnit() {
  if (CallRefusal()) return false;
  return m_session.Changes().SubmitPlan(m_units.Call(), false) != 0;
}

void CSystemController::ResetAllUnits() {
  PlanRequest plan;
  for (int u = 0; u < kUnits; ++u) {
    for (int s = 0; s < kUnitSlotBytes; ++s) plan.change.writes.push_back({{ParamId::UnitSlot, u, s}, {0, {}}});
    plan.steps.push_back({CommandsFor({ParamId::UnitSlot, u, 0}).front(), kResetAllPauseMs});
  }
  m_session.Changes().ApplyPlan(plan);
}

const Caption* CSystemController::RecoveryRefusal(bool updateRunning) const {
  if (const Caption* update = orvx::RecoveryRefusal(updateRunning)) return update;
  return m_session.Changes().Busy() ? &captions::kPlanRunning : nullptr;
}

bool CSystemController::Recover() {
  CChangePath& path = m_session.Changes();
  if (path.Busy()) return false;
  CDeviceState& state = m_session.State();
  RecoverFactoryState(state);
  path.StateReplaced(change::kAll);
  m_recoveryPlan = 0;
  if (state.link.online) m_recoveryPlan = path.SubmitPlan(FactoryRecoveryPlan(state, m_session.Glyphs()), true);
  return true;
}

PlanProgress CSystemController::RecoveryProgress() const {
  return m_recoveryPlan == 0 ? PlanProgress{} : m_session.Changes().ProgressOf(m_recoveryPlan);
}

bool CSystemController::RecoveryRunning() const { return m_recoveryPlan != 0 && !RecoveryProgress().Done(); }

}  // namespace orvx
