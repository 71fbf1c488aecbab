#pragma once
/// The GROUP page: four control groups (inputs or outputs, function switches, a name) and four
/// mute groups (inputs 1..12 and outputs 1..8). It edits membership in the device state and sends
/// nothing; the main window's keys apply the mute groups. Which group is being edited belongs to
/// the page and starts with none.

#include <QLineEdit>
#include <array>
#include <vector>

#include "pages/TitledPage.h"
#include "session/ControlGroups.h"

namespace orvx {

class CValueLabel;
class PngButton;

class CGroupPage : public CTitledPage {
  Q_OBJECT
public:
  static constexpr int kMuteInputs = 12;  ///< inputs a mute group offers

  CGroupPage(IShellSession& session, QWidget* parent = nullptr);

  void ApplyLanguage(Language language) override;
  void Refresh(std::uint32_t bits = change::kAll) override;

  /// A selector pressed: selects group `group` (0..3), or deselects it when it is the selected one.
  void PressControlGroup(int group);
  void PressMuteGroup(int group);
  /// -1 when none is selected.
  int SelectedControlGroup() const { return m_control; }
  int SelectedMuteGroup() const { return m_mute; }

  PngButton* ControlSelector(int group) const { return m_controlSelectors[group]; }
  PngButton* MuteSelector(int group) const { return m_muteSelectors[group]; }
  PngButton* ControlMember(bool output, int record) const {
    return output ? m_controlOutputs[record] : m_controlInputs[record];
  }
  PngButton* MuteMember(bool output, int record) const { return output ? m_muteOutputs[record] : m_muteInputs[record]; }
  PngButton* FunctionButton(int i) const { return m_functions[i]; }
  QLineEdit* NameEdit() const { return m_name; }
  CValueLabel* MemberCount() const { return m_count; }

private:
  void PressControlMember(bool output, int record);
  void PressMuteMember(bool output, int record);
  void PressFunction(int i);
  void StoreName();
  void ShowControlGroup();
  void ShowMuteGroup();
  void ShowNames();

  IShellSession& m_session;
  int m_control = -1;
  int m_mute = -1;
  GroupSide m_shownSet = GroupSide::None;  ///< the function set on show, kept until another group is chosen

  CValueLabel* m_controlHeading = nullptr;
  CValueLabel* m_muteHeading = nullptr;
  CValueLabel* m_controlInputsLabel = nullptr;
  CValueLabel* m_controlOutputsLabel = nullptr;
  CValueLabel* m_functionsLabel = nullptr;
  CValueLabel* m_muteInputsLabel = nullptr;
  CValueLabel* m_muteOutputsLabel = nullptr;
  CValueLabel* m_count = nullptr;
  CValueLabel* m_nameLabel = nullptr;
  std::array<PngButton*, kGroups> m_controlSelectors{};
  std::array<PngButton*, kGroups> m_muteSelectors{};
  std::array<PngButton*, kInputRecords> m_controlInputs{};
  std::array<PngButton*, kOutputRecords> m_controlOutputs{};
  std::array<PngButton*, kMuteInputs> m_muteInputs{};
  std::array<PngButton*, kOutputRecords> m_muteOutputs{};
  std::vector<PngButton*> m_functions;
  QLineEdit* m_name = nullptr;
};

}  // namespace orvx
