#pragma once
/// The EFFECT page: the reverb and the delay, each with its knobs, RESET, preset list, and the
/// input and output level faders with their mute keys. The values stay in the state (and scenes);
/// the levels and mutes travel as the effect returns' "%A".

#include <array>

#include "pages/DspEditorPage.h"

namespace orvx {

class CLevelGraph;
class CSkinSlider;

class CEffectPage : public CDspEditorPage {
  Q_OBJECT
public:
  CEffectPage(IShellSession& session, QWidget* parent = nullptr);

  /// Faders and mutes, reverb input, reverb output, delay input, delay output.
  CSkinSlider* Fader(int i) const { return m_units[static_cast<std::size_t>(i / 2)].faders[static_cast<std::size_t>(i % 2)]; }
  PngButton* Mute(int i) const { return m_units[static_cast<std::size_t>(i / 2)].mutes[static_cast<std::size_t>(i % 2)]; }

protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  struct Unit {
    CValueLabel* caption = nullptr;
    PngButton* reset = nullptr;
    CPresetDropDown* presets = nullptr;
    std::size_t firstKnob = 0;
    std::size_t knobs = 0;
    std::array<CValueLabel*, 2> levelCaptions{};
    std::array<CSkinSlider*, 2> faders{};
    std::array<PngButton*, 2> mutes{};
    CLevelGraph* meters = nullptr;
    QRect frame;
  };
  void AddLevels(Unit& unit, int record);
  void PlaceUnit(Unit& unit, const QRect& area);

  std::array<Unit, 2> m_units;  ///< reverb, delay
};

}  // namespace orvx
