#pragma once
/// The channel sends page (input channel view, editor kind 4): for one input the levels at which
/// it feeds the main mix, AUX 1..6, the delay and the reverb, each with a horizontal fader and a
/// MUTE. The row rules (mute stores 0, unmute the fader's position) live in CChannelSends.

#include <array>

#include "pages/TitledPage.h"
#include "session/ChannelSends.h"

namespace orvx {

class CSkinSlider;
class CValueLabel;
class IShellSession;
class PngButton;

class CChannelSendsPage : public CTitledPage {
  Q_OBJECT
public:
  static constexpr int kRows = CChannelSends::kRows;
  /// Row i's top inside the page body (below the title bar).
  static constexpr int RowTop(int row) { return kTitleHeight + 30 + 50 * row; }

  CChannelSendsPage(IShellSession& session, QWidget* parent = nullptr);

  void ApplyLanguage(Language language) override;
  void OpenFor(int record) override;
  void Refresh(std::uint32_t bits = change::kAll) override;

  CSkinSlider* Fader(int row) const { return m_rows[static_cast<std::size_t>(row)].fader; }
  PngButton* MuteButton(int row) const { return m_rows[static_cast<std::size_t>(row)].mute; }
  CValueLabel* Caption(int row) const { return m_rows[static_cast<std::size_t>(row)].caption; }
  const CChannelSends& Rows() const { return m_sends; }


private:
  struct RowWidgets {
    CValueLabel* caption = nullptr;
    CSkinSlider* fader = nullptr;
    CValueLabel* value = nullptr;
    PngButton* mute = nullptr;
  };
  void Store(const ParamWrite& write, ChangeOrigin origin, std::uint64_t gesture = 0);
  void ShowRows();

  IShellSession& m_session;
  CChannelSends m_sends;
  CValueLabel* m_note = nullptr;  ///< sends stay with the editor
  std::array<RowWidgets, kRows> m_rows{};
  std::uint64_t m_gesture = 0;
  Language m_language = Language::English;
};

}  // namespace orvx
