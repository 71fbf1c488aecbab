#pragma once
/// Input channel strip: signal source, EQ miniature, preamp gain, COMP, PRIORITY, 48V and the
/// automatic mixer's ACTIVE/WAITING status above the shared fader, MUTE and name. Channels 9 and
/// up have no COMP, PRIORITY, 48V or status, and two preamp steps instead of four.

#include "pages/ChannelStrip.h"

namespace orvx {

class CEqMiniature;
class CSkinComboBox;

class CInputStrip : public CChannelStrip {
  Q_OBJECT
public:
  /// Vertical places of the strip's own widgets (pixels from its top).
  static constexpr int kSourceCaptionTop = 5;
  static constexpr int kSourceTop = 25;
  static constexpr int kEqTop = 50;
  static constexpr int kEqHeight = 60;
  static constexpr int kPreampTop = 115;
  static constexpr int kListHeight = 24;
  static constexpr int kCompTop = 145;
  static constexpr int kPriorityTop = 175;
  static constexpr int kPhantomTop = 205;
  /// Editor kinds of the input channel view this strip opens.
  static constexpr int kCompEditor = 1;
  static constexpr int kPeqEditor = 2;
  static constexpr int kEffectEditor = 3;
  static constexpr int kSendsEditor = 4;

  CInputStrip(IShellSession& session, QWidget* parent = nullptr);

  void Refresh(std::uint32_t bits = change::kAll) override;
  void UpdateMeter() override;
  void ApplyLanguage(Language language) override;

  /// ACTIVE/WAITING of the automatic mixer: an indicator, not a key.
  CValueLabel* StatusIndicator() const { return m_status; }
  PngButton* CompButton() const { return m_comp; }
  /// The effect returns' key to the delay and reverb editor.
  PngButton* EffectButton() const { return m_effect; }
  PngButton* PriorityButton() const { return m_priority; }
  PngButton* PhantomButton() const { return m_phantom; }
  CSkinComboBox* SourceList() const { return m_source; }
  CSkinComboBox* PreampList() const { return m_preamp; }
  CEqMiniature* EqMiniature() const { return m_eq; }

signals:
  /// The operator asked for an editor of this channel (1 compressor, 2 parametric EQ, 4 sends).
  void EditorRequested(int record, int editorKind);
  /// The operator asked for the PHANTOM page.
  void PhantomRequested();

protected:
  void resizeEvent(QResizeEvent* event) override;
  QList<CMenuEx::Item> MoreMenuItems() const override;
  void OnMenuCommand(int command) override;

private:
  void ShowStatus(bool active);
  void FillPreampList();
  void UpdateCurve();
  void ShowRefusal(const Caption& text);

  CValueLabel* m_sourceCaption = nullptr;
  CSkinComboBox* m_source = nullptr;
  CEqMiniature* m_eq = nullptr;
  CSkinComboBox* m_preamp = nullptr;
  PngButton* m_comp = nullptr;
  PngButton* m_effect = nullptr;
  PngButton* m_priority = nullptr;
  PngButton* m_phantom = nullptr;
  CValueLabel* m_status = nullptr;
  Language m_language = Language::English;
  int m_shownActive = -1;
  int m_preampRows = -1;
};

}  // namespace orvx
