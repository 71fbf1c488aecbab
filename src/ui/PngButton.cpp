#include "ui/PngButton.h"

#include "ui/NineSlice.h"
#include "ui/SkinStore.h"
#include "ui/SkinTheme.h"
#include "ui/UiFont.h"

#include <QPainter>

namespace orvx {

PngButton::PngButton(QWidget* parent) : PngButton(QString(), parent) {}

PngButton::PngButton(const QString& caption, QWidget* parent) : QAbstractButton(parent) {
  setText(caption);
  setAttribute(Qt::WA_Hover);
  setFocusPolicy(Qt::NoFocus);
  const SkinTheme& theme = SkinTheme::Current();
  m_captionColor = theme.Color("button.caption");
  m_checkedCaptionColor = theme.Color("button.caption.checked");
}

bool PngButton::SetImages(const QString& first, const QString& second) {
  m_images[0] = LoadPngResource(first);
  m_images[1] = LoadPngResource(second);
  ApplySizeMode();
  update();
  return !m_images[0].isNull() && !m_images[1].isNull();
}

void PngButton::SetThirdImage(const QString& third) {
  m_images[2] = LoadPngResource(third);
  update();
}

void PngButton::SetChecked(bool checked) {
  if (m_checked != checked) {
    m_checked = checked;
    update();
  }
}

void PngButton::SetUnavailable(bool unavailable) {
  if (m_unavailable == unavailable) return;
  m_unavailable = unavailable;
  update();
}

void PngButton::SetMode(Mode mode) {
  m_mode = mode;
  update();
}

void PngButton::SetCaptionShown(bool shown) {
  m_captionShown = shown;
  update();
}

void PngButton::SetCaptionSize(double points) {
  m_captionPoints = points;
  update();
}

void PngButton::SetCaptionColor(const QColor& color) {
  m_captionColor = color;
  update();
}

void PngButton::SetCheckedCaptionColor(const QColor& color) {
  m_checkedCaptionColor = color;
  update();
}

void PngButton::SetSizeMode(int mode) {
  m_sizeMode = mode;
  ApplySizeMode();
}

void PngButton::SetSliceMargins(const QMargins& margins) {
  m_slice = margins;
  update();
}

FaceSlot PngButton::CurrentFace() const {
  return ChooseFace(m_mode == Toggle, m_unavailable, m_checked, isDown(), m_hovered);
}

QColor PngButton::CurrentCaptionColor() const {
  QColor c = m_checked ? m_checkedCaptionColor : m_captionColor;
  // A disabled key keeps its face but its caption fades, so it reads as "nothing to do".
  if (!isEnabled()) c.setAlphaF(c.alphaF() * 0.35);
  return c;
}

QSize PngButton::sizeHint() const {
  if (!m_images[0].isNull()) {
    return m_images[0].size() / m_images[0].devicePixelRatio();
  }
  return {80, 30};
}

void PngButton::ApplySizeMode() {
  // Resizing keeps the top-left corner where it is in the parent.
  if (m_sizeMode == 1 && !m_images[0].isNull()) {
    resize(m_images[0].size() / m_images[0].devicePixelRatio());
  }
}

const QPixmap& PngButton::Face(FaceSlot slot) const { return m_images[static_cast<int>(slot) - 1]; }

void PngButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);  // Qt double-buffers widget painting: one transfer to the screen
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  DrawNineSlice(painter, rect(), Face(CurrentFace()), m_slice);
  if (m_captionShown && !text().isEmpty()) {
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(UiFont(m_captionPoints, true));
    painter.setPen(CurrentCaptionColor());
    const QPoint shift = isDown() ? QPoint(0, 1) : QPoint();
    painter.drawText(rect().translated(shift), Qt::AlignCenter | Qt::TextSingleLine, text());
  }
}

void PngButton::enterEvent(QEnterEvent* event) {
  m_hovered = true;
  update();
  QAbstractButton::enterEvent(event);
}

void PngButton::leaveEvent(QEvent* event) {
  m_hovered = false;
  update();
  QAbstractButton::leaveEvent(event);
}

}  // namespace orvx
