#include "pages/InputStrip.h"

#include "pages/CaptionText.h"
#include "pages/ShellButtons.h"
#include "link/ReportParser.h"

namespace orvx {

CInputStrip::CInputStrip(IShellSession& session, QWidget* parent) : CChannelStrip(session, kInputStripKind, parent) {
  m_status = MakeShellButton({}, ButtonLook::Status, this);
  m_status->setObjectName(QStringLiteral("StatusButton"));
  m_status->setAttribute(Qt::WA_TransparentForMouseEvents);  // display only
  ApplyLanguage(Language::English);
}

void CInputStrip::Refresh(std::uint32_t bits) {
  m_status->setVisible(Slot().record < kAutomixInputs);
  if (bits == change::kAll) m_shownActive = -1;
  CChannelStrip::Refresh(bits);
}

void CInputStrip::UpdateMeter() {
  CChannelStrip::UpdateMeter();
  if (Slot().record >= kAutomixInputs) return;
  const bool active = IsChannelActive(State().in[Slot().record]);
  if (static_cast<int>(active) != m_shownActive) ShowStatus(active);
}

void CInputStrip::ApplyLanguage(Language language) {
  m_language = language;
  CChannelStrip::ApplyLanguage(language);
  if (m_status) ShowStatus(m_shownActive == 1);
}

void CInputStrip::ShowStatus(bool active) {
  m_shownActive = active ? 1 : 0;
  m_status->setText(CaptionText(active ? captions::kActive : captions::kWaiting, m_language));
  m_status->SetChecked(active);
}

void CInputStrip::resizeEvent(QResizeEvent* event) {
  CChannelStrip::resizeEvent(event);
  CentreWidget(m_status, width() - 24, kStatusTop, 30);
}

}  // namespace orvx
