#pragma once
/// Which child of the main window is shown: strip group, view, view mode and channel views.
/// The window asks this object what to show and calls ShowView after every change.

#include <vector>

namespace orvx {

enum class MainView : int { Channel = 0, System = 1, Matrix = 2, Mode = 3, Groups = 4, Phantom = 5 };

/// The five view buttons, left to right.
enum class ViewButton : int { Channel = 0, Matrix = 1, Mode = 2, System = 3, Groups = 4 };

enum class ChannelView : int { None = 0, Input = 1, Output = 2 };

/// A strip shown by the CHANNEL view: an input or output record.
struct StripSlot {
  bool output = false;
  int record = 0;
  bool operator==(const StripSlot&) const = default;
};

class CNavigation {
public:
  static constexpr int kGroups = 4;

  int Group() const { return m_group; }
  MainView View() const { return m_view; }
  int ViewMode() const { return m_viewMode; }
  int SelectedBus() const { return m_selectedBus; }
  /// The side panel's bus (1 = LR, 3..8 = AUX 1..6); other numbers are ignored.
  void SelectBus(int bus) {
    if (bus == 1 || (bus >= 3 && bus <= 8)) m_selectedBus = bus;
  }
  ChannelView ChannelViewKind() const { return m_channelView; }
  int ChannelViewChannel() const { return m_channelViewChannel; }
  int ChannelViewEditor() const { return m_channelViewEditor; }

  /// While a firmware update runs the group buttons do nothing.
  void SetUpdateRunning(bool running) { m_updateRunning = running; }
  bool UpdateRunning() const { return m_updateRunning; }

  /// Group button 1..4; false (and nothing changes) while an update runs or for a bad group.
  bool PressGroup(int group);
  /// View button: CHANNEL, MATRIX, MODE, SYSTEM, GROUPS select views 0, 2, 3, 1, 4.
  void PressView(ViewButton button);
  /// Any view by number, e.g. the PHANTOM page opened from a strip.
  void ShowPage(MainView view);
  /// HOME: view mode 1, view 0 of the current group.
  void Home();
  /// CONNECT and OFFLINE bring the window to the page view the same way HOME does.
  void EnterPageView() { Home(); }
  /// The status lamp: only when dark it opens SYSTEM. Returns whether anything changed.
  bool ClickLamp(bool lampLit);

  /// Channel view of input record `record` (0..17) with editor kind 1..4 (view mode 2).
  bool EnterInputChannelView(int record, int editorKind);
  /// Channel view of output record `record` (0..7) with editor kind 1..2 (view mode 3).
  bool EnterOutputChannelView(int record, int editorKind);

  /// Strips the CHANNEL view shows for a group, left to right.
  static std::vector<StripSlot> GroupStrips(int group);
  /// View the view button selects.
  static MainView ViewOfButton(ViewButton button);
  /// View button shown pressed for a view, or -1 (PHANTOM has none).
  static int ButtonOfView(MainView view);

private:
  void LeaveChannelView() { m_channelView = ChannelView::None; }

  int m_group = 1;
  MainView m_view = MainView::Channel;
  int m_viewMode = 2;
  int m_selectedBus = 1;
  ChannelView m_channelView = ChannelView::None;
  int m_channelViewChannel = 0;
  int m_channelViewEditor = 0;
  bool m_updateRunning = false;
};

}  // namespace orvx
