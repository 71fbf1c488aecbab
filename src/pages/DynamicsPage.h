#pragma once
/// The compressor and noise gate of an input: the gate's switch, threshold, attack and release with
/// its RESET and presets beside the compressor half.

#include "pages/CompressorEditor.h"

namespace orvx {

class CDynamicsPage : public CCompressorEditor {
  Q_OBJECT
public:
  CDynamicsPage(IShellSession& session, QWidget* parent = nullptr);

protected:
  int MeterLevel() const override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  PngButton* m_gateOn = nullptr;
  PngButton* m_gateReset = nullptr;
  CPresetDropDown* m_gatePresets = nullptr;
  std::size_t m_firstGateKnob = 0;
  QRect m_gateFrame, m_compFrame;
};

}  // namespace orvx
