#pragma once
/// The SYSTEM page: the device as a device. Tabs CONNECT (address, search, CONNECT/OFFLINE, the
/// device list), SHOW (scenes), HELP (update, factory recovery, versions) and DISPLAY (the
/// PLK-700 conference units). Every rule lives in CSystemController; this view binds its widgets
/// to it and repaints from the state, the search status and the recovery progress.
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include <memory>

#include "pages/TitledPage.h"
#include "pages/SceneDiffDlg.h"
#include "session/SceneController.h"
#include "session/SystemController.h"
#include "session/UpdateController.h"

class QLabel;
class QProgressBar;
class QTableWidget;

namespace orvx {

class CSkinComboBox;
class CValueLabel;
class PngButton;

class CSystemPage : public CTitledPage {
  Q_OBJECT
public:
  static constexpr int kPollMs = 50;  ///< search, recovery and recall progress while one runs
  static constexpr int kScenes = kSceneKeys;
  /// The scene key's menu: NAME, RECALL, DELETE.
  static constexpr int kSceneNameCommand = 32771;
  static constexpr int kSceneRecallCommand = 32773;
  static constexpr int kSceneDeleteCommand = 32774;
  static constexpr int kShowFullBarMs = 150;  ///< the finished push's full bar stays this long

  CSystemPage(IShellSession& session, IProfileStore& profile, QWidget* parent = nullptr);

  void ApplyLanguage(Language language) override;
  void Refresh(std::uint32_t bits = change::kAll) override;

  /// Tab switch (the SET tab is never offered).
  void SelectTab(SystemTab tab);
  /// The firmware update's running flag, asked before a recovery.
  void SetUpdateRunningQuery(std::function<bool()> query) { m_updateRunning = std::move(query); }

  CSystemController& Controller() { return m_controller; }
  /// The scenes of the SHOW tab live in `store` (null: the tab offers nothing).
  void SetSceneStore(CSceneStore* store);
  CSceneController& Scenes() { return m_scenes; }
  CUpdateController& Update() { return *m_update; }
  /// Where the update finds its images and the version page (the UPDATE key shows only with one).
  void SetUpdateSettings(UpdateSettings settings);

  // Widgets, for tests and the screenshot tool.
  QLineEdit* AddressEdit() const { return m_address; }
  CValueLabel* AddressRefusal() const { return m_invalid; }
  PngButton* ConnectButton() const { return m_connect; }
  PngButton* OfflineButton() const { return m_offline; }
  PngButton* SearchButton() const { return m_search; }
  PngButton* TabButton(SystemTab tab) const { return m_tabs[static_cast<int>(tab)]; }
  QTableWidget* DeviceList() const { return m_devices; }
  QProgressBar* SearchProgress() const { return m_searchProgress; }
  QLabel* SearchExplanation() const { return m_explanation; }
  PngButton* RecoveryButton() const { return m_recovery; }
  QProgressBar* UpdateProgress() const { return m_updateProgress; }
  PngButton* LocalButton() const { return m_local; }
  PngButton* RemoteButton() const { return m_remote; }
  CValueLabel* BasicVersionLabel() const { return m_basic; }
  CValueLabel* OfferedVersionLabel() const { return m_offered; }
  CValueLabel* UpdateStatus() const { return m_updateStatus; }
  PngButton* UnitButton(int i) const { return m_unitButtons[i]; }
  CSkinComboBox* SlotList(int slot) const { return m_slotLists[slot]; }
  PngButton* CallButton() const { return m_call; }
  PngButton* ResetUnitsButton() const { return m_resetUnits; }
  CValueLabel* CallConfirmation() const { return m_callDone; }
  QLineEdit* SpanTimeEdit() const { return m_spanEdit; }
  CValueLabel* HardwareVersionLabel() const { return m_hardware; }
  PngButton* SceneSaveButton() const { return m_sceneSave; }
  PngButton* SceneKey(int key) const { return m_sceneSlots[key]; }
  /// The recall's dialog while it is open.
  CSceneDiffDlg* RecallDialog() const { return m_recallDlg; }

  /// SAVE: the state as a new scene (the reason shows when it cannot be).
  void OnSceneSave();
  /// A scene key: its menu at the cursor.
  void OnSceneKey(int key);
  /// A command of the scene key's menu: NAME asks for the name, RECALL shows what would change and
  /// waits for RECALL or CANCEL, DELETE moves the scene to the desktop trash.
  void ChooseSceneCommand(int key, int command);

  /// The search button's action (also for tests).
  void OnSearch();
  /// RECOVERY: refusal, question, then the recovery and its push.
  void OnRecovery();
  /// LOCAL: refusal, question, then the update.
  void OnLocalUpdate();
  /// UPDATE: refusal, then the remote update.
  void OnRemoteUpdate();
  /// Reset all units: the question, then the reset.
  void OnResetAllUnits();
  /// A click on a row of the device list.
  void OnDeviceListClick(int row);

signals:
  void ConnectClicked();
  void OfflineClicked();
  /// The factory values were written (before the push): the window clears its group keys.
  void RecoveryStarted();
  /// The push has gone (or nothing was sent offline): the window returns to its first page.
  void RecoveryFinished();
  /// A scene's values are in the state (before its push): the window lets the control groups go.
  void SceneRecallStarted();
  /// The scene's push has gone (or nothing was sent offline): the window returns to its first page.
  void SceneRecallFinished();
  /// A firmware update began (the window holds its group keys) or ended.
  void UpdateStarted();
  void UpdateFinished();

protected:
  void OnShown() override;
  void OnHidden() override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void CreateConnectTab();
  void CreateSceneTab();
  void CreateHelpTab();
  void CreateUnitTab();
  void Layout();
  void ShowTabContent();
  void Poll();
  bool PollNeeded(const SearchStatus& status) const;
  void ShowSearch(const SearchStatus& status);
  void ShowUnits();
  void SelectUnit(int unit);
  void OnSlotChanged(int slot, int row);
  void ConfirmAddress();
  void FinishRecovery();
  /// The scene keys: captions "ID:NAME" in row order, shown only on the SHOW tab, unused ones hidden.
  void RefillSceneKeys();
  void RecallScene(int key);
  void StartRecall();
  void RenameScene(int key);
  /// A scene operation's refusal, if any, as a notice.
  void SayIfRefused(const BilingualText& refusal);
  void StartUpdate(UpdateKind kind);
  /// The update's messages, questions, progress and labels; true while it still runs.
  bool PollUpdate();
  void ShowUpdateView();
  QString Tr(const Caption& c) const;

  IShellSession& m_session;
  CSystemController m_controller;
  std::function<bool()> m_updateRunning;
  std::unique_ptr<CUpdateController> m_update;
  bool m_updating = false;  ///< the page has said UpdateStarted and not yet UpdateFinished
  Language m_language = Language::English;
  QTimer m_poll;
  bool m_recovering = false;
  bool m_finishing = false;
  CSceneController m_scenes;
  std::optional<RecallPreview> m_preview;  ///< the scene the recall dialog shows
  QPointer<CSceneDiffDlg> m_recallDlg;
  bool m_recalling = false;
  SearchPhase m_shownPhase = SearchPhase::Idle;

  std::array<PngButton*, kSystemTabs> m_tabs{};
  std::array<std::vector<QWidget*>, kSystemTabs> m_content;

  // CONNECT
  CValueLabel* m_ipCaption = nullptr;
  QLineEdit* m_address = nullptr;
  PngButton* m_ok = nullptr;
  CValueLabel* m_invalid = nullptr;
  PngButton* m_search = nullptr;
  PngButton* m_connect = nullptr;
  PngButton* m_offline = nullptr;
  QTableWidget* m_devices = nullptr;
  QProgressBar* m_searchProgress = nullptr;
  QLabel* m_explanation = nullptr;
  CValueLabel* m_spanCaption = nullptr;
  QLineEdit* m_spanEdit = nullptr;
  PngButton* m_spanOk = nullptr;
  // SHOW
  PngButton* m_sceneSave = nullptr;
  std::array<PngButton*, kScenes> m_sceneSlots{};
  // HELP
  PngButton* m_local = nullptr;
  PngButton* m_remote = nullptr;
  PngButton* m_recovery = nullptr;
  QProgressBar* m_updateProgress = nullptr;
  CValueLabel* m_updateStatus = nullptr;
  CValueLabel* m_backupNote = nullptr;  ///< which scene keeps the settings of the last update
  CValueLabel* m_hardware = nullptr;
  CValueLabel* m_basic = nullptr;
  CValueLabel* m_offered = nullptr;  ///< the local version, or the remote one during a remote update
  // DISPLAY
  std::array<PngButton*, kUnitButtons> m_unitButtons{};
  std::array<CValueLabel*, kUnitSlotBytes> m_slotLabels{};
  std::array<CSkinComboBox*, kUnitSlotBytes> m_slotLists{};
  PngButton* m_call = nullptr;
  CValueLabel* m_callDone = nullptr;  ///< says for a few seconds which unit was called
  QTimer m_callDoneClear;
  PngButton* m_resetUnits = nullptr;
};

}  // namespace orvx
