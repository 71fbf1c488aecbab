#pragma once
/// Fader / slider. Holds an integer position in [minimum, maximum] (minimum at the top of a
/// vertical fader), follows drags, arrow keys and the wheel, and reports user input only:
///   `SliderMoving(id, pos)`   (10449) the position changed during a drag,
///   `SliderReleased(id, pos)` (10450) release after a press on the thumb, or a key/wheel step
///                             (even when the position did not change),
///   `SliderDblClk(id, pos)`   (10451) a double click; the control does not move.
/// `SetPos` from code is silent, and is ignored while the operator holds the thumb so incoming
/// reports cannot fight the hand. A hold whose release never arrives (the control hides, loses
/// the focus, its window is deactivated or blocked by a modal dialog) ends as if released.
///
/// Usage (an input fader, level 0..70 shown as position 70 - level):
///   auto* fader = new CSkinSlider(strip, kFaderId);
///   fader->SetVertical(true);
///   fader->SetRange(0, 70);
///   fader->SetThumbBitmaps("fader_cap", "fader_cap_active");   // optional; drawn from the theme otherwise
///   connect(fader, &CSkinSlider::SliderMoving, ...);
/// The thumb is painted from the theme when no bitmaps are set; the channel then is a slot with
/// dB-style ticks. Bitmaps are skin names (see CSkinStore) with alpha for transparency.

#include "ui/SliderGeometry.h"
#include "ui/ValueFormat.h"

#include <QMargins>
#include <QPixmap>
#include <QWidget>

#include "ui/WheelGate.h"

namespace orvx {

class CSkinSlider : public QWidget {
  Q_OBJECT
public:
  explicit CSkinSlider(QWidget* parent = nullptr, int id = 0);

  void SetId(int id) { m_id = id; }
  int Id() const { return m_id; }

  void SetRange(int minimum, int maximum, bool redraw = true);
  void SetRangeMin(int minimum, bool redraw = true);
  void SetRangeMax(int maximum, bool redraw = true);
  int Minimum() const { return m_min; }
  int Maximum() const { return m_max; }
  void SetPageStep(int step) { m_pageStep = step; }

  /// Clamps, stores and repaints; emits nothing. Ignored while the thumb is held.
  void SetPos(int position);
  int Pos() const { return m_pos; }

  void SetVertical(bool vertical);
  bool IsVertical() const { return m_vertical; }
  /// Margins in pixels before and after the thumb's travel.
  void SetMargins(int left, int top, int right, int bottom);

  /// Channel (track) image and an optional second one for the part from the start edge to the
  /// thumb; resizes the control to the channel image. Empty names remove them. False (and
  /// nothing half-set) when an image cannot be loaded.
  bool SetChannelBitmaps(const QString& channel, const QString& second = {});
  /// Thumb image and optional alternative; the thumb size comes from the image. Empty removes.
  bool SetThumbBitmaps(const QString& thumb, const QString& alternative = {});
  /// Size of the painted thumb when no thumb image is set (0 across: the control's width).
  void SetPaintedThumbSize(const QSize& size);

  /// Disabled sliders ignore mouse and keys and draw only their background.
  void Enable(bool enabled);

  void SetLabelShown(bool shown);
  void SetLabelMode(int mode);
  void SetLabelValues(int topValue, int bottomValue);
  void SetLabelDivisor(double divisor);
  void SetLabelBandHeight(int height);
  /// 1: alternative thumb while pressed; 2: alternative thumb while position == reference.
  void SetThumbMode(int mode);
  void SetReferencePos(int position);
  /// Printed on the thumb of a vertical slider when positive.
  void SetThumbNumber(int number);

  bool IsPressed() const { return m_pressed; }
  /// True while the operator holds the thumb (bindings leave the control alone then).
  bool IsHeld() const { return m_pressed; }
  /// The axis arithmetic for the control's current size.
  SliderGeometry Geometry() const;
  /// Placement across the axis: the cap centred between the margins, the slot on its centre.
  SliderCrossAxis CrossAxis() const;
  /// The rectangle of the thumb now.
  QRect ThumbRect() const;
  /// The painted slot the thumb travels in (empty when a channel image is drawn instead).
  QRectF SlotRect() const;
  /// Text of the value label for the current position.
  QString LabelText() const;
  /// True when the next paint draws the value label.
  bool LabelDrawn() const;
  /// True when the alternative thumb image is the one drawn now.
  bool AlternativeThumbShown() const;

  QSize sizeHint() const override;

signals:
  void SliderMoving(int id, int position);
  void SliderReleased(int id, int position);
  void SliderDblClk(int id, int position);

protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

private:
  QSize ThumbSize() const;
  int Axis(const QPointF& point) const;
  /// Moves to `position` for user input; returns true when it changed.
  bool MoveTo(int position);
  void DragTo(int axisCoordinate);
  void StepBy(int keyOrWheel);
  /// Ends a hold: repaints and reports the release with the final position.
  void EndHold();
  void PaintChannel(QPainter& painter, int centre);
  void PaintThumb(QPainter& painter);

  int m_id;
  int m_pos = 0;
  int m_min = 0;
  int m_max = 100;
  int m_pageStep = 20;
  bool m_vertical = false;
  QMargins m_margins;
  bool m_pressed = false;
  int m_grabOffset = 0;
  SliderLabelFormat m_label;
  bool m_labelShown = true;
  int m_labelBand = 18;
  int m_thumbMode = 1;
  int m_referencePos = 0;
  int m_thumbNumber = 0;
  int m_wheelSum = 0;
  CWheelGate m_wheelGate;
  QSize m_paintedThumb{0, 40};
  QPixmap m_channel;
  QPixmap m_channel2;
  QPixmap m_thumb;
  QPixmap m_thumbAlt;
};

}  // namespace orvx
