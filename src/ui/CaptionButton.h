#pragma once
/// Title-bar button of a skinned window: a rounded rectangle with a vector glyph chosen by
/// name ("exit", "max", "maxed", "min", "top", "toped", "tray", "plus", "menu", "color", each
/// also with "_mini"). Its colours follow four states: normal, over, down, gray. Clicks reach the
/// owner as `clicked()`.
///
/// Usage:
///   auto* close = new CCaptionButton(titleBar);
///   close->SetStyle(CaptionButtonStyle::FromTheme("exit"));

#include "ui/ButtonFace.h"

#include <QAbstractButton>
#include <QColor>

#include <array>

namespace orvx {

struct CaptionButtonStyle {
  QString name;
  int radius = 4;
  std::array<QColor, 4> border;  ///< by CaptionState: normal, over, down, gray
  std::array<QColor, 4> fill;    ///< an invalid colour means no fill
  std::array<QColor, 4> glyph;
  bool focusRing = false;
  QColor focusColor;

  /// The skin's colours for a button showing glyph `name`.
  static CaptionButtonStyle FromTheme(const QString& name);
};

class CCaptionButton : public QAbstractButton {
  Q_OBJECT
public:
  explicit CCaptionButton(QWidget* parent = nullptr);

  void SetStyle(const CaptionButtonStyle& style, bool redraw = true);
  const CaptionButtonStyle& Style() const { return m_style; }
  CaptionState State() const;
  /// Glyph colour in `state`; pinned and maximised glyphs swap their normal and over colours.
  QColor GlyphColor(CaptionState state) const;
  bool IsHovered() const { return m_hovered; }
  /// True for the glyphs whose normal and over colours trade places ("toped", "maxed").
  static bool SwapsGlyphColors(const QString& name);

  QSize sizeHint() const override { return {28, 22}; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

private:
  void PaintGlyph(QPainter& painter, const QRectF& box) const;

  CaptionButtonStyle m_style;
  bool m_hovered = false;
};

}  // namespace orvx
