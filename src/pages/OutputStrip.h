#pragma once
/// Output channel strip (MASTER 1-4, DANTE 1-4): graphic-EQ miniature, delay list, limiter key,
/// LINE/MIC, output label, fader with meter, MUTE, FBK and name. Its fader sits higher than an
/// input's, so it places the shared widgets with its own layout.

#include "pages/ChannelStrip.h"

namespace orvx {

class CEqMiniature;
class CSkinComboBox;

class COutputStrip : public CChannelStrip {
  Q_OBJECT
public:
  /// Editor kinds of the output channel view.
  static constexpr int kLimiterEditor = 1;
  static constexpr int kGeqEditor = 2;

  COutputStrip(IShellSession& session, QWidget* parent = nullptr);

  void Refresh(std::uint32_t bits = change::kAll) override;
  void ApplyLanguage(Language language) override;

  CEqMiniature* EqMiniature() const { return m_eq; }
  CSkinComboBox* DelayList() const { return m_delay; }
  PngButton* LimiterButton() const { return m_limiter; }
  PngButton* LineButton() const { return m_line; }
  PngButton* FbkButton() const { return m_fbk; }
  QString LabelText() const;

signals:
  /// The operator asked for an editor of this output (kLimiterEditor or kGeqEditor).
  void OpenEditor(int record, int editorKind);

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void FillDelayList();
  void ShowLineCaption();
  void UpdateCurve();

  CEqMiniature* m_eq = nullptr;
  CSkinComboBox* m_delay = nullptr;
  PngButton* m_limiter = nullptr;
  PngButton* m_line = nullptr;
  CValueLabel* m_label = nullptr;
  PngButton* m_fbk = nullptr;
  Language m_language = Language::English;
};

}  // namespace orvx
