#include "device/ConferenceUnits.h"

#include <algorithm>
#include <cstdio>

#include "link/CommandSender.h"
#include "link/Commands.h"

namespace orvx {
namespace {

std::string Numbered(const char* format, int n) {
  char buf[24];
  std::snprintf(buf, sizeof buf, format, n);
  return buf;
}

bool IsUnit(int unit) { return unit >= 0 && unit < kUnits; }

}  // namespace

std::string UnitButtonCaption(int button) {
  if (button < 0 || button >= kUnitButtons) return {};
  return Numbered("PLK-700-%02d", button + 1);
}

std::string SlotEntryCaption(int index) {
  if (index < 0 || index >= kSlotEntries) return {};
  return captions::kSlotEntryCaptions[static_cast<std::size_t>(index)].en;
}

std::array<std::string, kSlotEntries> SlotEntryCaptions() {
  std::array<std::string, kSlotEntries> all;
  for (int i = 0; i < kSlotEntries; ++i) all[i] = SlotEntryCaption(i);
  return all;
}

UnitButtonView UnitButtonState(int button, int unitCount) {
  if (!IsUnit(button)) return {};
  return {true, button < unitCount};
}

SlotRef FindSlotHolding(const CDeviceState& s, int index, int exceptUnit, int exceptSlot) {
  if (index <= 0) return {};
  for (int u = 0; u < kUnits; ++u) {
    for (int k = 0; k < kUnitSlotBytes; ++k) {
      if (u == exceptUnit && k == exceptSlot) continue;
      if (s.unitSlots[u][k] == index) return {u, k};
    }
  }
  return {};
}

FramePlan UnitAssignmentPlan(const CDeviceState& s, int unit) {
  return IsUnit(unit) ? PlanFrame(FrameX(s, unit + 1)) : FramePlan{};
}

FramePlan UnitCallPlan(int unit) { return IsUnit(unit) ? PlanFrame(FrameW(unit + 1)) : FramePlan{}; }

FramePlan ResetAllUnitsPlan(const CDeviceState& s) {
  FramePlan plan;
  for (int u = 1; u <= kUnits; ++u) plan.push_back(Datagram{FrameX(s, u), kResetAllPauseMs});
  return plan;
}

bool CUnitTable::Enabled(int unit) const { return IsUnit(unit) && unit < m_state.unitCount; }

void CUnitTable::Refresh() {
  if (m_state.unitCount <= 0) {
    m_current = kNoUnit;
  } else if (!Enabled(m_current)) {
    m_current = 0;
  }
}

bool CUnitTable::SelectUnit(int unit) {
  if (!Enabled(unit)) return false;
  m_current = unit;
  return true;
}

int CUnitTable::SlotIndex(int slot) const {
  if (!IsUnit(m_current) || slot < 0 || slot >= kUnitSlotBytes) return -1;
  return m_state.unitSlots[m_current][slot];
}

SlotChange CUnitTable::OnSlotChanged(int slot, int index) {
  SlotChange change;
  if (!IsUnit(m_current) || slot < 0 || slot >= kUnitSlotBytes) return change;
  if (index < -1 || index >= kSlotEntries) return change;
  if (index > 0 && FindSlotHolding(m_state, index, m_current, slot).unit != kNoUnit) {
    // One input can be fed by one slot of one unit only.
    change.message = &captions::kAlreadySelect;
    change.showIndex = 0;
    return change;
  }
  m_state.unitSlots[m_current][slot] = index < 0 ? kNoSelection : static_cast<std::uint8_t>(index);
  change.stored = true;
  if (m_state.link.online) change.plan = UnitAssignmentPlan(m_state, m_current);
  return change;
}

FramePlan CUnitTable::Call() const { return UnitCallPlan(m_current); }

FramePlan CUnitTable::ResetAll() {
  for (auto& unit : m_state.unitSlots) std::fill(std::begin(unit), std::end(unit), std::uint8_t{0});
  return m_state.link.online ? ResetAllUnitsPlan(m_state) : FramePlan{};
}

}  // namespace orvx
