#pragma once
/// The header's M GROUPS and C GROUPS keys: mute key n is lit while every member of mute group n
/// is muted, control key n while control group n links its members. Presses go out as signals;
/// the window applies them.

#include <QObject>
#include <array>

#include "core/Captions.h"
#include "core/DeviceState.h"

class QWidget;

namespace orvx {

class CValueLabel;
class PngButton;

class CGroupKeys : public QObject {
  Q_OBJECT
public:
  /// Builds the keys and their captions into `header`.
  CGroupKeys(const CDeviceState& state, QWidget* header);

  /// Places them for the header unit `unit` (see CMainLayout::HeaderUnit).
  void Place(int unit);
  void ApplyLanguage(Language language);
  /// Lights the keys from the state.
  void Refresh();

  PngButton* MuteKey(int n) const { return m_muteKeys[n - 1]; }
  PngButton* ControlKey(int n) const { return m_controlKeys[n - 1]; }

signals:
  /// Key n (1..4) was pressed.
  void MuteKeyPressed(int n);
  void ControlKeyPressed(int n);

private:
  const CDeviceState& m_state;
  CValueLabel* m_muteGroupLabel = nullptr;
  CValueLabel* m_controlGroupLabel = nullptr;
  std::array<PngButton*, kGroups> m_muteKeys{};
  std::array<PngButton*, kGroups> m_controlKeys{};
};

}  // namespace orvx
