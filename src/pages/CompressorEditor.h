#pragma once
/// The compressor half every dynamics editor shares: its switch, the five knobs (threshold, ratio,
/// gain, attack, release), RESET, its preset list, the transfer graph and the IN and GR meters. The
/// input's compressor and the output's limiter are this editor on their own values.

#include "pages/DspEditorPage.h"

namespace orvx {

class CGraphView;
class CLevelGraph;

class CCompressorEditor : public CDspEditorPage {
  Q_OBJECT
public:
  /// The values of one compressor, in the order of its knobs.
  struct Values {
    ParamId on, threshold, ratio, gain, attack, release;
  };
  CCompressorEditor(IShellSession& session, const Caption& title, const Values& values, PresetKind presets,
                    DspAction (*reset)(int record), QWidget* parent = nullptr);

  CGraphView* Transfer() const { return m_transfer; }
  CLevelGraph* Meters() const { return m_meters; }
  void UpdateMeters() override;

protected:
  void OnRefresh(std::uint32_t bits) override;
  /// The level the meters read (an input's or an output's meter value).
  virtual int MeterLevel() const = 0;
  /// Lays the compressor half out in `area`.
  void PlaceCompressor(const QRect& area);

private:
  Values m_values;
  PngButton* m_on = nullptr;
  PngButton* m_reset = nullptr;
  CPresetDropDown* m_presetList = nullptr;
  std::size_t m_firstKnob = 0;
  CGraphView* m_transfer = nullptr;
  CLevelGraph* m_meters = nullptr;
  double m_shownIn = -1, m_shownGr = -1;
};

}  // namespace orvx
