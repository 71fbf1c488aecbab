#pragma once
/// The parametric EQ of an input: five bands (GAIN, FREQUENCY, Q; band 1 can be a low shelf, band
/// 4 a high shelf), the high- and low-pass filters, the curve with its six draggable points, the
/// preset list, BYPASS, RESET and POLAR.

#include <array>

#include "pages/DspEditorPage.h"

namespace orvx {

class CGraphView;

class CPeqPage : public CDspEditorPage {
  Q_OBJECT
public:
  CPeqPage(IShellSession& session, QWidget* parent = nullptr);

  CGraphView* Curve() const { return m_curve; }
  PngButton* ShelfKey(int band) const { return band == 0 ? m_shelf[0] : band == 3 ? m_shelf[1] : nullptr; }
  bool Bypassed() const { return m_bypass.On(Record()); }

protected:
  void resizeEvent(QResizeEvent* event) override;
  void OnRefresh(std::uint32_t bits) override;

private:
  void DragPoint(int point, double freq, double gainDb, bool final);
  void ToggleShelf(int band);
  void SwitchBypass();

  CGraphView* m_curve = nullptr;
  std::array<PngButton*, 2> m_shelf{};
  PngButton* m_bypassKey = nullptr;
  PngButton* m_resetKey = nullptr;
  PngButton* m_polar = nullptr;
  std::array<CValueLabel*, 7> m_columnCaptions{};
  std::array<PngButton*, 2> m_filterOn{};
  std::array<CSkinComboBox*, 2> m_slopes{};
  CPresetDropDown* m_presetList = nullptr;
  CPeqBypass m_bypass;
  std::uint64_t m_gesture = 0;
};

}  // namespace orvx
