#pragma once
/// The MODE page: the automatic mixer of inputs 1..8. A gating threshold per channel (linked by
/// SYNC), how many microphones may be open, how long one stays open, the attenuation of closed
/// channels, NOM and LAST HOLD. The detector tuning values have no lists here; they are kept in
/// the state and travel with "%N".

#include <array>

#include "pages/TitledPage.h"

namespace orvx {

class CSkinComboBox;
class CValueLabel;
class PngButton;

class CAutoMixerPage : public CTitledPage {
  Q_OBJECT
public:
  CAutoMixerPage(IShellSession& session, QWidget* parent = nullptr);

  void ApplyLanguage(Language language) override;
  void Refresh(std::uint32_t bits = change::kAll) override;

  CSkinComboBox* ThresholdList(int record) const { return m_thresholds[record]; }
  CSkinComboBox* HoldTimeList() const { return m_holdTime; }
  CSkinComboBox* MaxOpenList() const { return m_maxOpen; }
  CSkinComboBox* NomList() const { return m_nom; }
  CSkinComboBox* AttnList() const { return m_attn; }
  PngButton* SyncToggle() const { return m_sync; }
  PngButton* LastHoldToggle() const { return m_lastHold; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  CSkinComboBox* MakeList(int id, ParamId param, int record, const QRect& place);
  /// "Set successfully." after a global setting was stored, online or not; a refusal says why.
  void ConfirmSet(const ParamAddr& addr, int row);
  void ShowToggleCaptions();

  IShellSession& m_session;
  std::array<CSkinComboBox*, kAutomixInputs> m_thresholds{};
  std::array<CValueLabel*, kAutomixInputs> m_channelCaptions{};  ///< the channels' names, labels not keys
  CSkinComboBox* m_holdTime = nullptr;
  CSkinComboBox* m_maxOpen = nullptr;
  CSkinComboBox* m_nom = nullptr;
  CSkinComboBox* m_attn = nullptr;
  PngButton* m_sync = nullptr;
  PngButton* m_lastHold = nullptr;
  CValueLabel* m_syncLabel = nullptr;
  CValueLabel* m_holdTimeLabel = nullptr;
  CValueLabel* m_maxOpenLabel = nullptr;
  CValueLabel* m_nomLabel = nullptr;
  CValueLabel* m_attnLabel = nullptr;
  CValueLabel* m_lastHoldLabel = nullptr;
};

}  // namespace orvx
