#include "session/Navigation.h"

#include "core/DeviceState.h"

namespace orvx {

bool CNavigation::PressGroup(int group) {
  if (m_updateRunning || group < 1 || group > kGroups) return false;
  m_group = group;
  m_view = MainView::Channel;
  LeaveChannelView();
  return true;
}

void CNavigation::PressView(ViewButton button) { ShowPage(ViewOfButton(button)); }

void CNavigation::ShowPage(MainView view) {
  m_view = view;
  LeaveChannelView();
}

void CNavigation::Home() {
  m_viewMode = 1;
  m_view = MainView::Channel;
  LeaveChannelView();
}

bool CNavigation::ClickLamp(bool lampLit) {
  if (lampLit) return false;
  ShowPage(MainView::System);
  return true;
}

bool CNavigation::EnterInputChannelView(int record, int editorKind) {
  if (record < 0 || record >= kInputRecords || editorKind < 1 || editorKind > 4) return false;
  m_viewMode = 2;
  m_channelView = ChannelView::Input;
  m_channelViewChannel = record;
  m_channelViewEditor = editorKind;
  return true;
}

bool CNavigation::EnterOutputChannelView(int record, int editorKind) {
  if (record < 0 || record >= kOutputRecords || editorKind < 1 || editorKind > 2) return false;
  m_viewMode = 3;
  m_channelView = ChannelView::Output;
  m_channelViewChannel = record;
  m_channelViewEditor = editorKind;
  return true;
}

std::vector<StripSlot> CNavigation::GroupStrips(int group) {
  std::vector<StripSlot> slots;
  auto add = [&](bool output, int first, int last) {
    for (int r = first; r <= last; ++r) slots.push_back({output, r});
  };
  switch (group) {
    case 1: add(false, 0, 7); break;
    case 2: add(false, 8, 11); break;
    case 3: add(false, kDelayRecord, kReverbRecord); break;
    case 4: add(true, 0, kOutputRecords - 1); break;
    default: break;
  }
  return slots;
}

MainView CNavigation::ViewOfButton(ViewButton button) {
  switch (button) {
    case ViewButton::Channel: return MainView::Channel;
    case ViewButton::Matrix: return MainView::Matrix;
    case ViewButton::Mode: return MainView::Mode;
    case ViewButton::System: return MainView::System;
    case ViewButton::Groups: return MainView::Groups;
  }
  return MainView::Channel;
}

int CNavigation::ButtonOfView(MainView view) {
  switch (view) {
    case MainView::Channel: return static_cast<int>(ViewButton::Channel);
    case MainView::Matrix: return static_cast<int>(ViewButton::Matrix);
    case MainView::Mode: return static_cast<int>(ViewButton::Mode);
    case MainView::System: return static_cast<int>(ViewButton::System);
    case MainView::Groups: return static_cast<int>(ViewButton::Groups);
    case MainView::Phantom: return -1;
  }
  return -1;
}

}  // namespace orvx
