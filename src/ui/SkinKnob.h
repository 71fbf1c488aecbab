#pragma once
/// Rotary knob for the DSP editors: an integer value in [minimum, maximum] shown by a pointer
/// and a lit arc over a 270-degree sweep. Dragging up or down changes the value (the whole
/// range over `SetDragPixels`, 200 px by default), the wheel and the arrow keys step it, a
/// double click returns it to its default. It reports user input only, with the fader's three
/// notifications: `SliderMoving` while dragging, `SliderReleased` on release or a key/wheel step,
/// `SliderDblClk` after a double click (carrying the default it returned to). `SetValue` from
/// code is silent and is ignored while the operator is dragging. A drag whose release never
/// arrives (hide, focus loss, window deactivated or blocked by a modal dialog) ends as if released.
///
/// Usage:
///   auto* freq = new CSkinKnob(editor, kFreqKnob);
///   freq->SetRange(0, 330);
///   freq->SetDefault(200);
///   connect(freq, &CSkinKnob::SliderMoving, ...);

#include "ui/KnobMapping.h"

#include <QWidget>

#include "ui/WheelGate.h"

namespace orvx {

class CSkinKnob : public QWidget {
  Q_OBJECT
public:
  explicit CSkinKnob(QWidget* parent = nullptr, int id = 0);

  void SetId(int id) { m_id = id; }
  int Id() const { return m_id; }
  void SetRange(int minimum, int maximum);
  int Minimum() const { return m_mapping.minimum; }
  int Maximum() const { return m_mapping.maximum; }
  /// Value a double click returns to (clamped into the range).
  void SetDefault(int value);
  int Default() const { return m_default; }
  /// Clamps, stores and repaints; silent. Ignored while dragging.
  void SetValue(int value);
  int Value() const { return m_value; }
  /// Step of a wheel notch or arrow key, and of Page Up / Page Down.
  void SetSteps(int step, int pageStep);
  /// Vertical drag distance that covers the whole range.
  void SetDragPixels(int pixels) { m_mapping.pixelsPerRange = pixels; }
  /// Optional skin image of the knob body (a round cap, not rotated); painted otherwise.
  void SetBodyImage(const QString& skinName);

  bool IsDragging() const { return m_dragging; }
  /// True while the operator holds the knob (bindings leave the control alone then).
  bool IsHeld() const { return m_dragging; }
  const KnobMapping& Mapping() const { return m_mapping; }

  QSize sizeHint() const override { return {48, 48}; }

signals:
  void SliderMoving(int id, int value);
  void SliderReleased(int id, int value);
  void SliderDblClk(int id, int value);

protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  bool MoveTo(int value);
  void Step(int value);
  /// Ends a drag: repaints and reports the release with the final value.
  void EndHold();

  int m_id;
  KnobMapping m_mapping;
  int m_value = 0;
  int m_default = 0;
  int m_step = 1;
  int m_pageStep = 10;
  bool m_dragging = false;
  int m_dragStartY = 0;
  int m_dragStartValue = 0;
  int m_wheelSum = 0;
  CWheelGate m_wheelGate;
  QPixmap m_body;
};

}  // namespace orvx
