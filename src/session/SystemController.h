#pragma once
/// The SYSTEM page's behaviour without a window: tabs, the device address and its profile entry,
/// the drag interval, the device search, the conference units and the factory recovery. The page
/// binds its widgets to this and repaints from the state and from SearchView.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Captions.h"
#include "device/ConferenceUnits.h"
#include "device/FactoryRecovery.h"
#include "session/ProfileStore.h"
#include "session/ShellSession.h"

namespace orvx {

namespace captions {
inline constexpr Caption kCallNeedsLink{"CONNECT first: a unit is called through the connection to the processor.",
                                       "请先连接：呼叫单元需要与处理器的连接。"};
inline constexpr Caption kCallNeedsUnit{"The processor reports no conference unit to call.", "处理器未报告可呼叫的会议单元。"};
}  // namespace captions

enum class SystemTab : int { Connect = 0, Set = 1, Show = 2, Help = 3, Display = 4 };
constexpr int kSystemTabs = 5;

namespace captions {
inline constexpr std::array<Caption, kSystemTabs> kSystemTabCaptions{{
    {"CONNECT", "连接"},
    {"SET", "设置"},
    {"SHOW", "演出"},
    {"HELP", "帮助"},
    {"DISPLAY", "显示"},
}};
inline constexpr Caption kDeviceSetting{"DEVICE SETTING", "设备设置"};
inline constexpr Caption kDeviceIp{"IP:", "设备IP:"};
inline constexpr Caption kSearch{"Search", "搜索"};
inline constexpr Caption kDeviceIpColumn{"DEVICE IP", "设置IP"};
inline constexpr Caption kPortColumn{"PORT", "端口"};
inline constexpr Caption kSpanTime{"SPAN TIME:", "SPAN TIME:"};
inline constexpr Caption kSceneSave{"SAVE", "SAVE"};
}  // namespace captions

/// The drag interval typed into "SPAN TIME:": its decimal value; text that is not a number gives 0.
int SpanTimeFromText(std::string_view text);

class CSystemController {
public:
  CSystemController(IShellSession& session, IProfileStore& profile);

  // Tabs. The SET tab exists but is never offered.
  static bool TabOffered(SystemTab tab) { return tab != SystemTab::Set; }
  SystemTab Tab() const { return m_tab; }
  /// Switches to `tab` (false for the tab never offered). The units tab refreshes the units.
  bool SelectTab(SystemTab tab);

  /// The IP field's OK: a dotted quad becomes the device address and is stored in the profile.
  bool ConfirmAddress(const std::string& ip);
  /// A click on a row of the device list: that device becomes the device address.
  bool ChooseFound(int row);

  /// "SPAN TIME:" OK: the drag interval of the send queue.
  void ConfirmSpanTime(std::string_view text);
  int SpanTime() const { return m_session.SendInterval(); }

  /// Search: the link lets go of the port, then the listener and the probe start.
  void Search() { m_session.StartSearch(); }
  SearchStatus SearchView() const { return m_session.Search(); }

  // Conference units.
  CUnitTable& Units() { return m_units; }
  /// Unit refresh (the units tab shown, or the reported count changed).
  void RefreshUnits() { m_units.Refresh(); }
  /// A slot list chose `index`: through the change path ("%X" while online). Returns the message
  /// to show when the choice was refused ("Already select.") or a running plan holds it back; the
  /// list then shows what the slot holds.
  const Caption* ChangeSlot(int slot, int index);
  /// CALL: "%W" for the current unit. It leaves through the link's socket, so only while the
  /// processor is connected: before that (also while CONNECT is still opening the link) CALL is
  /// refused and CallRefusal says why, never queued to go nowhere.
  bool CallUnit();
  /// Why CALL cannot go now: no connection, or no current unit (nullptr: it can go).
  const Caption* CallRefusal() const;
  /// After the operator confirmed the reset question: every slot to NULL as one plan ("%X" for
  /// units 1..4, 100 ms apart, while online) and one undo step.
  void ResetAllUnits();

  // Factory recovery.
  /// Why RECOVERY may not go on to its question (a firmware update runs), or nullptr.
  /// Why RECOVERY cannot start: a firmware update, or another plan still on its way.
  const Caption* RecoveryRefusal(bool updateRunning) const;
  /// After the operator confirmed: the recovery values into the state (the control groups switched
  /// off, views told, history cleared), then, while online, the push as one plan that gates every
  /// change until it has gone. False (and nothing changed) while another plan runs.
  bool Recover();
  /// The push's plan id, 0 when nothing was sent (offline).
  std::uint32_t RecoveryPlan() const { return m_recoveryPlan; }
  /// The push's progress; done once it has gone (or when nothing was sent).
  PlanProgress RecoveryProgress() const;
  bool RecoveryRunning() const;

private:
  IShellSession& m_session;
  IProfileStore& m_profile;
  CUnitTable m_units;
  SystemTab m_tab = SystemTab::Connect;
  std::uint32_t m_recoveryPlan = 0;
};

}  // namespace orvx
