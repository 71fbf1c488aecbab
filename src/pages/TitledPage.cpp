#include "pages/TitledPage.h"

#include <QPainter>

#include "pages/CaptionText.h"
#include "ui/SkinTheme.h"
#include "ui/UiFont.h"

namespace orvx {

CTitledPage::CTitledPage(const Caption& title, QWidget* parent)
    : QWidget(parent), m_title(title), m_titleText(CaptionText(title, Language::English)) {
  // Every binding of every page tells the read-out what the operator touched.
  m_bindings.SetTouched([this](const ParamAddr& a) { emit Touched(a); });}

void CTitledPage::ApplyLanguage(Language language) {
  m_titleText = CaptionText(m_title, language);
  update();
}

void CTitledPage::OpenFor(int record) {
  m_record = record;
  m_bindings.SetRecord(record);
  Refresh();
}

void CTitledPage::showEvent(QShowEvent*) {
  if (m_shown) return;
  m_shown = true;
  OnShown();
}

void CTitledPage::hideEvent(QHideEvent*) {
  if (!m_shown) return;
  m_shown = false;
  OnHidden();
}

void CTitledPage::SetSubtitle(const QString& subtitle) {
  m_subtitle = subtitle;
  update();
}

void CTitledPage::paintEvent(QPaintEvent*) {
  const SkinTheme& theme = SkinTheme::Current();
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF frame = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  p.setPen(QPen(theme.Color("panel.edge"), 1));
  p.setBrush(theme.Color("panel.bg"));
  p.drawRoundedRect(frame, 6, 6);
  const QRectF bar(frame.left(), frame.top(), frame.width(), kTitleHeight);
  p.setPen(theme.Color("accent"));
  p.drawLine(QPointF(bar.left() + 12, bar.bottom()), QPointF(bar.right() - 12, bar.bottom()));
  p.setPen(theme.Color("text"));
  p.setFont(UiFont(12, true));
  QRectF used;
  p.drawText(bar.adjusted(16, 0, -16, 0), Qt::AlignVCenter | Qt::AlignLeft, m_titleText, &used);
  if (!m_subtitle.isEmpty()) {
    p.setPen(theme.Color("accent"));
    p.drawText(bar.adjusted(used.right() - bar.left() + 16, 0, -16, 0), Qt::AlignVCenter | Qt::AlignLeft, m_subtitle);
  }
}

}  // namespace orvx
