#pragma once
/// The narrow panel beside the mixer overview: SYSTEM, PHANTOM, the group section (mute groups,
/// control groups, the group view's numbered keys), the AUX section (LR, AUX1..AUX6), CLEAR MUTE
/// and CLEAR SOLO. It keeps only its keys' states (CSidePanelModel) and tells the main window
/// what to draw; the window owns the overview and the clears' changes.

#include <QWidget>
#include <array>
#include <vector>

#include "core/Captions.h"
#include "session/SidePanelModel.h"

class QLabel;

namespace orvx {

class CValueLabel;
class PngButton;

class CMixerSidePanel : public QWidget {
  Q_OBJECT
public:
  static constexpr int kWidth = 84;
  /// Height the tallest section needs.
  static constexpr int kMinHeight = 380;

  enum class Key {
    System,
    Phantom,
    Group,
    Aux,
    ClearMute,
    ClearSolo,
    MuteGroups,
    GroupView,
    ControlGroups,
    GroupReturn,
    AuxReturn,
    Count
  };

  explicit CMixerSidePanel(QWidget* parent = nullptr);

  void ApplyLanguage(Language language);
  const CSidePanelModel& Model() const { return m_model; }
  /// Back to the main section with no mode (the window left the overview); tells nobody.
  void Reset();

  PngButton* KeyButton(Key key) const { return m_keys[static_cast<int>(key)]; }
  /// Numbered key n (1..4) of block b: 0 mute groups, 1 view group, 2 control groups.
  PngButton* BlockKey(int block, int n) const { return m_blockKeys[block][n - 1]; }
  /// "LR" (0) and "AUX1".."AUX6" (1..6).
  PngButton* BusKey(int key) const { return m_busKeys[key]; }

signals:
  /// The overview should draw this (bus, mode, group).
  void ChoiceChanged(orvx::OverviewChoice choice);
  void ClearMuteClicked();
  void ClearSoloClicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  PngButton* AddKey(Key key, bool toggle);
  /// Runs one of the model's rules, then shows the keys and tells the window.
  template <class Rule>
  void Press(Rule rule);
  void ShowKeys();
public:
  /// CLEAR SOLO is live only while some channel is soloed (its tooltip says so otherwise).
  void ShowSoloClearable(bool clearable, Language language);
private:

  CSidePanelModel m_model;
  std::array<PngButton*, static_cast<int>(Key::Count)> m_keys{};
  std::array<std::array<PngButton*, 4>, 3> m_blockKeys{};
  std::array<CValueLabel*, 3> m_blockCaptions{};
  std::array<PngButton*, 7> m_busKeys{};
  QLabel* m_sendsKept = nullptr;
};

}  // namespace orvx
