#include "pages/MainCanvas.h"

#include <QLinearGradient>
#include <QPainter>

#include "ui/SkinTheme.h"
#include "ui/UiFont.h"

namespace orvx {

void CMainCanvas::paintEvent(QPaintEvent*) {
  const SkinTheme& theme = SkinTheme::Current();
  QPainter p(this);
  p.fillRect(rect(), theme.Color("window.bg"));
  if (m_topBar <= 0) return;  // the scrolled body: background only
  QLinearGradient bar(0, 0, 0, m_topBar);
  bar.setColorAt(0.0, theme.Color("panel.bg").lighter(115));
  bar.setColorAt(1.0, theme.Color("panel.bg"));
  p.fillRect(QRect(0, 0, width(), m_topBar), bar);
  p.setPen(theme.Color("panel.edge"));
  p.drawLine(0, m_topBar, width(), m_topBar);
  p.setPen(theme.Color("accent"));
  p.setFont(UiFont(20, true));
  p.drawText(QRect(16, 12, 260, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ORVX-64Q"));
  // The maker's line under the mark only where the header has room for it beside the group keys.
  if (width() < kWideEnoughForSubtitle) return;
  p.setPen(theme.Color("text.dim"));
  p.setFont(UiFont(9));
  p.drawText(QRect(16, 52, 260, 20), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("DIGITAL AUDIO MATRIX PROCESSOR"));
}

}  // namespace orvx
