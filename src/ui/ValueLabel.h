#pragma once
/// Value label: titles, captions and read-outs. Shows either a stored text or a number it
/// formats itself (prefix, divisor, offset, suffix, "OFF" rule; see ValueFormat.h), drawn
/// anti-aliased over the parent's background or on a filled one; its tooltip is its text.
///
/// Usage:
///   auto* gain = new CValueLabel(page);
///   ValueLabelFormat format;
///   format.divisor = 10; format.prefix = "G:"; format.suffix = "dB";
///   gain->SetFormat(format);
///   gain->SetPlainText(false);
///   gain->SetValue(15);                     // reads "G:1.5dB"
/// Setting text or value never emits; `Released`/`DoubleClicked` report clicks to owners that want them.

#include "ui/ValueFormat.h"

#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace orvx {

class CValueLabel : public QWidget {
  Q_OBJECT
public:
  /// The smallest face a long text shrinks to before it is elided.
  static constexpr double kMinFitPoints = 6.0;

  explicit CValueLabel(QWidget* parent = nullptr);
  explicit CValueLabel(const QString& text, QWidget* parent = nullptr);

  /// Stores the text, makes it the tooltip and repaints.
  void SetText(const QString& text);
  QString Text() const { return m_text; }
  /// true: show the stored text; false: show the formatted value.
  void SetPlainText(bool plain);
  void SetValue(double value);
  double Value() const { return m_value; }
  void SetFormat(const ValueLabelFormat& format);
  const ValueLabelFormat& Format() const { return m_format; }
  /// The text the label draws now.
  QString DisplayText() const;

  void SetFontSize(double points);
  void SetTextColor(const QColor& color);
  /// 0 near, 1 centre, 2 far; used in both directions.
  void SetAlignment(int alignment);
  /// Filled background (colour, then the background image if any) instead of transparent.
  void SetOpaque(bool opaque);
  void SetBackgroundColor(const QColor& color);
  void SetBackgroundImage(const QString& skinName);
  void SetFrame(bool frame);

  QSize sizeHint() const override;

signals:
  void Released();
  void DoubleClicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
  void Changed();

  QString m_text;
  bool m_plain = true;
  double m_value = 0.0;
  ValueLabelFormat m_format;
  double m_points = 8.0;
  QColor m_textColor;
  int m_alignment = 1;
  bool m_opaque = false;
  QColor m_background;
  QColor m_frameColor;
  QPixmap m_backgroundImage;
  bool m_frame = false;
};

/// Qt alignment flags of a 0/1/2 (near/centre/far) alignment in both directions.
Qt::Alignment LabelAlignment(int alignment);

}  // namespace orvx
