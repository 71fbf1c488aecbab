#include "session/SidePanelModel.h"

namespace orvx {

void CSidePanelModel::Toggle(OverviewMode mode) {
  m_choice.mode = m_choice.mode == mode ? OverviewMode::None : mode;
  m_choice.group = 0;
}

void CSidePanelModel::Open(PanelSection section) {
  m_section = section;
  m_choice.mode = OverviewMode::None;
  m_choice.group = 0;
}

void CSidePanelModel::PressViewGroup(int group) {
  if (group < 1 || group > 4) return;
  if (m_choice.mode == OverviewMode::GroupView && m_choice.group == group) {
    m_choice.mode = OverviewMode::None;
    m_choice.group = 0;
    return;
  }
  m_choice.mode = OverviewMode::GroupView;
  m_choice.group = group;
}

void CSidePanelModel::PressBusKey(int key) {
  if (key < 0 || key > kAuxBuses) return;
  m_choice.bus = key == 0 ? kLrBus : kFirstAuxBus + key - 1;
  m_choice.mode = OverviewMode::None;
  m_choice.group = 0;
}

void CSidePanelModel::Reset() { Open(PanelSection::Main); }

}  // namespace orvx
