#pragma once
/// Input channel strip. Channels 1-8 also show the automatic mixer's ACTIVE/WAITING status;
/// the full strip (source, preamp, EQ miniature, COMP, PRIORITY, 48V) comes with its own work.

#include "pages/ChannelStrip.h"

namespace orvx {

class CInputStrip : public CChannelStrip {
  Q_OBJECT
public:
  CInputStrip(IShellSession& session, QWidget* parent = nullptr);

  void Refresh(std::uint32_t bits = change::kAll) override;
  void UpdateMeter() override;
  void ApplyLanguage(Language language) override;

  PngButton* StatusButton() const { return m_status; }

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void ShowStatus(bool active);

  PngButton* m_status = nullptr;
  Language m_language = Language::English;
  int m_shownActive = -1;
};

}  // namespace orvx
