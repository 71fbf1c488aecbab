#include "pages/PhantomPage.h"

#include <QPainter>

#include "pages/CaptionText.h"
#include "pages/ShellButtons.h"
#include "session/PhantomRules.h"
#include "session/ShellSession.h"
#include "pages/ShellStyle.h"
#include "ui/SkinTheme.h"
#include "ui/UiFont.h"
#include "ui/ValueLabel.h"

namespace orvx {

namespace {
constexpr Caption kTitle{"PHANTOM", "幻象电源"};
constexpr int kLineY = 110;
}  // namespace

CPhantomPage::CPhantomPage(IShellSession& session, QWidget* parent) : CTitledPage(kTitle, parent), m_session(session) {
  m_title = new CValueLabel(this);
  m_title->setObjectName(QStringLiteral("PhantomTitle"));
  m_title->SetAlignment(1);
  m_title->SetFontSize(24);
  m_title->setFont(UiFont(24, true));
  m_title->setGeometry(400, 50, 300, 50);
  for (int i = 0; i < kSwitches; ++i) {
    PngButton* b = MakeShellButton({}, ButtonLook::Toggle, this);
    b->setObjectName(QStringLiteral("Phantom%1").arg(i + 1));
    b->SetCaptionSize(9);
    b->setGeometry(100 + 100 * (i % 8), 150 + 50 * (i / 8), 80, 24);
    m_switches[static_cast<std::size_t>(i)] = b;
    b->setEnabled(PhantomSwitchable(i));
    Bindings().Add(BindToggle(b, session, {ParamId::InPhantom, i, 0}));
  }
  ApplyLanguage(Language::English);
}

void CPhantomPage::ApplyLanguage(Language language) {
  CTitledPage::ApplyLanguage(language);
  for (int i = 0; i < kSwitches; ++i) {
    if (!PhantomSwitchable(i))
      m_switches[static_cast<std::size_t>(i)]->setToolTip(CaptionText(captions::kPhantomNotCarried, language));
  }
  m_title->SetText(Title());
  Refresh(change::kNames);
}

void CPhantomPage::OpenFor(int) { Refresh(); }

void CPhantomPage::Refresh(std::uint32_t bits) {
  CTitledPage::Refresh(bits);
  if (bits != change::kAll && !(bits & (change::kNames | change::kFullState))) return;
  const CDeviceState& s = m_session.State();
  for (int i = 0; i < kSwitches; ++i) {
    const ParamAddr name{ParamId::InName, i, 0};
    m_switches[static_cast<std::size_t>(i)]->setText(
        QString::fromStdString(FormatParam(name, ReadParam(s, name), s.language)));
  }
}

void CPhantomPage::resizeEvent(QResizeEvent*) {
  // The title keeps its size and moves to a third of the page's width.
  m_title->move(width() / 3, 30);
}

void CPhantomPage::paintEvent(QPaintEvent*) {
  const SkinTheme& theme = SkinTheme::Current();
  QPainter p(this);
  PaintPanel(p, rect().adjusted(1, 1, -1, -1), 6);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(theme.Color("accent"), 1));
  p.drawLine(0, kLineY, width(), kLineY);
}

}  // namespace orvx
