#include "device/ConferenceUnits.h"

#include "core/NumberText.h"
#include "link/Commands.h"

namespace orvx {
namespace {

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

FramePlan UnitCallPlan(int unit) { return IsUnit(unit) ? PlanFrame(FrameW(unit + 1)) : FramePlan{}; }

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

FramePlan CUnitTable::Call() const { return UnitCallPlan(m_current); }

}  // namespace orvx
