#pragma once
/// The 31-band graphic EQ of an output: the bands dragged on the graph (a double click puts a band
/// back to 0 dB), the EQ switch, RESET and the preset list. Every change sends the whole curve.

#include "pages/DspEditorPage.h"

namespace orvx {

class CGraphView;

class CGeqPage : public CDspEditorPage {
  Q_OBJECT
public:
  CGeqPage(IShellSession& session, QWidget* parent = nullptr);
  CGraphView* Graph() const { return m_graph; }

protected:
  void resizeEvent(QResizeEvent* event) override;
  void OnRefresh(std::uint32_t bits) override;

private:
  void DragBand(int band, double gainDb, bool final);

  CGraphView* m_graph = nullptr;
  PngButton* m_on = nullptr;
  PngButton* m_reset = nullptr;
  CPresetDropDown* m_presetList = nullptr;
  std::uint64_t m_gesture = 0;
};

}  // namespace orvx
