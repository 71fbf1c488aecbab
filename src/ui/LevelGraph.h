#pragma once
/// Level meter: up to 8 columns, each an LED bar with three colour zones or a dB scale with
/// seven ticks. The owner writes values as reports arrive (`SetValue`, cheap, no painting);
/// while visible the meter takes frames from the program's shared frame clock (`CFrameClock`,
/// at most ~30 Hz) and repaints only when what it draws changed (the lit rows or the peak
/// marker). LED bars show a peak marker that holds for a moment and then falls with the elapsed
/// time; once every peak rests on its bar the meter asks for no more frames.
///
/// Usage (a strip's meter beside its fader):
///   auto* meter = new CLevelGraph(strip);
///   meter->SetColumnCount(1);
///   meter->SetRange(0, 0.0, 50.0);
///   ... on every "Q" report: meter->SetValue(0, level);
/// Column captions are drawn inside the bottom margin (`SetPlotMargins`), when there is one.

#include "ui/FrameClock.h"
#include "ui/MeterBallistics.h"

#include <QColor>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>

namespace orvx {

class CLevelGraph : public QWidget {
  Q_OBJECT
public:
  static constexpr int kMaxColumns = 8;
  static constexpr int kFrameMs = CFrameClock::kIntervalMs;
  enum Style { LedBar = 1, DbScale = 2 };

  explicit CLevelGraph(QWidget* parent = nullptr);
  ~CLevelGraph() override;

  /// Frames come from `clock` (the shared clock by default) while the meter is visible.
  void SetFrameClock(CFrameClock* clock);
  CFrameClock* FrameClock() const { return m_clock; }

  /// Columns drawn, 1..8.
  void SetColumnCount(int count);
  int ColumnCount() const { return m_count; }
  /// Stores the level (clamped into the column's range); painted at the next frame when it
  /// changes what the column shows.
  void SetValue(int column, double value);
  double Value(int column) const;
  double Peak(int column) const;
  void SetRange(int column, double minimum, double maximum);
  void SetStyle(int column, Style style);
  void SetCaption(int column, const QString& caption);
  /// Fractions of the column height where zones 2 and 3 begin (0.43, 0.58).
  void SetThresholds(double zone2, double zone3);
  void SetBackgroundColor(const QColor& color);
  void SetTitle(const QString& title) { m_title = title; }
  QString Title() const { return m_title; }
  /// Top and bottom margins of the plot inside the control (10, 0).
  void SetPlotMargins(int top, int bottom);
  void SetPeakHold(bool on);

  /// One frame of the clock: lets peaks fall by `elapsedMs` and schedules a repaint when what
  /// the meter draws changed since the last one. Returns true while a peak still falls (the
  /// meter wants more frames). Public so tests can drive frames.
  bool AdvanceFrame(int elapsedMs);
  /// True while a change waits for the next frame.
  bool IsDirty() const;
  /// True while a peak has still to fall onto its bar.
  bool Moving() const;
  /// Frames that asked for a repaint so far.
  int RepaintRequests() const { return m_repaintRequests; }
  /// Frames received so far.
  int Frames() const { return m_frames; }
  /// Plot rectangle the columns are laid out in.
  QRect PlotRect() const;

  QSize sizeHint() const override { return {24, 200}; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  struct Column {
    double minimum = 0.0;
    double maximum = 50.0;
    Style style = LedBar;
    QString caption;
    MeterBallistics ballistics;
  };
  /// What an LED column draws, in pixels from its bottom: the lit bar and the peak marker's top
  /// (0: no marker; it shows only a row or more above the bar).
  struct ShownColumn {
    int lit = 0;
    int peak = 0;
    bool operator==(const ShownColumn&) const = default;
  };
  bool Valid(int column) const { return column >= 0 && column < kMaxColumns; }
  ShownColumn Shown(int column) const;
  /// Something other than a level changed (range, style, colours): the next frame repaints.
  void MarkDirty();
  /// Asks the clock for a frame while the meter is visible.
  void WantFrame();
  /// Takes frames from the clock (while visible).
  void FollowClock();
  void PaintLed(QPainter& painter, const ShownColumn& shown, int left, int right, int top, int bottom) const;
  void PaintScale(QPainter& painter, const Column& column, int left, int right, int top, int bottom) const;

  std::array<Column, kMaxColumns> m_columns;
  std::array<ShownColumn, kMaxColumns> m_shown{};  ///< as the last repaint request drew them
  int m_count = 4;
  double m_zone2 = 0.43;
  double m_zone3 = 0.58;
  QColor m_background;
  QString m_title = QString::fromUtf8("温度");
  int m_topMargin = 10;
  int m_bottomMargin = 0;
  bool m_peakHold = true;
  bool m_dirty = false;
  int m_repaintRequests = 0;
  int m_frames = 0;
  QPointer<CFrameClock> m_clock;
};

}  // namespace orvx
