#pragma once
/// The PHANTOM page: one 48 V switch per input 1..16, captioned with the channel's name. Every
/// switch sends its own channel's "%O"; phantom power of inputs 9 and up is kept in the state
/// but the processor's mask only carries inputs 1..8.

#include <array>

#include "pages/TitledPage.h"

namespace orvx {

class CValueLabel;
class IShellSession;
class PngButton;

class CPhantomPage : public CTitledPage {
  Q_OBJECT
public:
  static constexpr int kSwitches = 16;

  CPhantomPage(IShellSession& session, QWidget* parent = nullptr);

  void ApplyLanguage(Language language) override;
  /// The switches belong to fixed channels: opening the page only reloads them.
  void OpenFor(int record) override;
  void Refresh(std::uint32_t bits = change::kAll) override;

  PngButton* Switch(int index) const { return m_switches[static_cast<std::size_t>(index)]; }
  CValueLabel* TitleLabel() const { return m_title; }


protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  IShellSession& m_session;
  CValueLabel* m_title = nullptr;
  std::array<PngButton*, kSwitches> m_switches{};
};

}  // namespace orvx
