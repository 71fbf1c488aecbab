#pragma once
/// The frame every DSP editor stands on: knobs with their caption and value, switches, lists,
/// keys for RESET and the like, preset drop-downs, all bound to the parameter table through the
/// page's bindings. The editor lays its controls out and adds its own graph; its actions go through
/// the change path (see DspActions).

#include <QString>
#include <functional>
#include <vector>

#include "dsp/PresetKind.h"
#include "pages/TitledPage.h"
#include "session/DspActions.h"

namespace orvx {

class CPresetDropDown;
class CSkinComboBox;
class CSkinKnob;
class CValueLabel;
class PngButton;

class CDspEditorPage : public CTitledPage {
  Q_OBJECT
public:
  CDspEditorPage(IShellSession& session, const Caption& title, QWidget* parent = nullptr);

  void ApplyLanguage(Language language) override;
  void OpenFor(int record) override;
  void Refresh(std::uint32_t bits = change::kAll) override;

  /// A knob with its caption above and its value below.
  struct KnobCell {
    CValueLabel* caption = nullptr;
    CSkinKnob* knob = nullptr;
    CValueLabel* value = nullptr;
    ParamAddr addr;
    Caption title;
  };
  const std::vector<KnobCell>& Knobs() const { return m_knobs; }
  /// The knob of a value (the first with that parameter and index), nullptr if none.
  CSkinKnob* KnobOf(ParamId id, int index = 0) const;
  PngButton* KeyNamed(const QString& objectName) const;
  const std::vector<CPresetDropDown*>& PresetLists() const { return m_presets; }

protected:
  /// `posMin`/`posMax`: the knob's positions when its map is not the raw value itself.
  KnobCell& AddKnob(ParamAddr addr, const Caption& caption, PositionMap map = {}, int posMin = 0, int posMax = -1);
  /// A switch of a value, lit when set.
  PngButton* AddToggle(ParamAddr addr, const Caption& caption);
  /// A key that runs an action (RESET, BYPASS).
  PngButton* AddKey(const Caption& caption, const QString& objectName, std::function<void()> onClick,
                    bool lights = false);
  /// A list of a value's rows (the slope lists).
  CSkinComboBox* AddList(ParamAddr addr);
  CPresetDropDown* AddPresets(PresetKind kind);
  /// A static caption.
  CValueLabel* AddCaption(const Caption& caption, int alignment = 1);
  /// The editor's values do not follow the record it is opened for (the effect units).
  void KeepRecords() { m_keepRecords = true; }

  /// Runs an action; a running plan's refusal says why.
  void Run(const DspAction& action);
  /// Places a knob cell in `area`: caption on top, value at the bottom, the knob between.
  static void PlaceKnob(const KnobCell& cell, const QRect& area);
  KnobCell& Cell(std::size_t i) { return m_knobs[i]; }

  /// After the bindings refreshed: the editor's graph and the like.
  virtual void OnRefresh(std::uint32_t) {}
  void OnShown() override;

  IShellSession& m_session;

private:
  void ShowValues();

  std::vector<KnobCell> m_knobs;
  std::vector<std::pair<PngButton*, Caption>> m_keys;
  std::vector<std::pair<CValueLabel*, Caption>> m_captions;
  std::vector<CPresetDropDown*> m_presets;
  bool m_keepRecords = false;
};

}  // namespace orvx
