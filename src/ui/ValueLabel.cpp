#include "ui/ValueLabel.h"

#include "ui/SkinStore.h"
#include "ui/SkinTheme.h"
#include "ui/UiFont.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace orvx {

Qt::Alignment LabelAlignment(int alignment) {
  switch (alignment) {
    case 0: return Qt::AlignLeft | Qt::AlignTop;
    case 2: return Qt::AlignRight | Qt::AlignBottom;
    default: return Qt::AlignCenter;
  }
}

CValueLabel::CValueLabel(QWidget* parent) : CValueLabel(QString(), parent) {}

CValueLabel::CValueLabel(const QString& text, QWidget* parent) : QWidget(parent), m_text(text) {
  const SkinTheme& theme = SkinTheme::Current();
  m_textColor = theme.Color("label.text");
  m_background = theme.Color("label.bg");
  m_frameColor = theme.Color("label.frame");
  setToolTip(text);
}

void CValueLabel::SetText(const QString& text) {
  if (text == m_text) return;  // a refresh that changes nothing repaints nothing
  m_text = text;
  Changed();
}

void CValueLabel::SetPlainText(bool plain) {
  m_plain = plain;
  Changed();
}

void CValueLabel::SetValue(double value) {
  m_value = value;
  Changed();
}

void CValueLabel::SetFormat(const ValueLabelFormat& format) {
  m_format = format;
  Changed();
}

QString CValueLabel::DisplayText() const { return m_plain ? m_text : FormatValueLabel(m_format, m_value); }

void CValueLabel::SetFontSize(double points) {
  m_points = points;
  update();
}

void CValueLabel::SetTextColor(const QColor& color) {
  m_textColor = color;
  update();
}

void CValueLabel::SetAlignment(int alignment) {
  m_alignment = alignment;
  update();
}

void CValueLabel::SetOpaque(bool opaque) {
  m_opaque = opaque;
  update();
}

void CValueLabel::SetBackgroundColor(const QColor& color) {
  m_background = color;
  update();
}

void CValueLabel::SetBackgroundImage(const QString& skinName) {
  m_backgroundImage = LoadPngResource(skinName);
  update();
}

void CValueLabel::SetFrame(bool frame) {
  m_frame = frame;
  update();
}

QSize CValueLabel::sizeHint() const {
  const QFontMetrics metrics(UiFont(m_points, true));
  return {metrics.horizontalAdvance(DisplayText()) + 8, metrics.height() + 4};
}

void CValueLabel::Changed() {
  setToolTip(DisplayText());
  update();
}

void CValueLabel::paintEvent(QPaintEvent*) {
  // Transparent labels paint nothing behind the text: Qt composes the parent's background.
  QPainter painter(this);
  if (m_opaque) {
    painter.fillRect(rect(), m_background);
    if (!m_backgroundImage.isNull()) {
      painter.drawPixmap(rect(), m_backgroundImage);
    }
  }
  if (m_frame) {
    painter.setPen(m_frameColor);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  const QString text = DisplayText();
  if (text.isEmpty()) {
    return;
  }
  painter.setRenderHint(QPainter::TextAntialiasing);
  const int inset = m_alignment == 1 ? 0 : 2;
  const QRect box = rect().adjusted(inset, 0, -inset, 0);
  // A name of eight wide characters must read whole: the face shrinks to fit (down to a floor),
  // and only past that is the text elided, never cut at both ends.
  QFont font = UiFont(m_points, true);
  for (double points = m_points; points > kMinFitPoints; points -= 0.5) {
    font = UiFont(points, true);
    if (QFontMetrics(font).horizontalAdvance(text) <= box.width()) break;
  }
  painter.setFont(font);
  painter.setPen(m_textColor);
  const QString shown = QFontMetrics(font).elidedText(text, Qt::ElideRight, box.width());
  painter.drawText(box, LabelAlignment(m_alignment) | Qt::TextSingleLine, shown);
}

void CValueLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit Released();
  }
}

void CValueLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit DoubleClicked();
  }
}

}  // namespace orvx
