#include "ui/LevelGraph.h"

#include "ui/MeterScale.h"
#include "ui/SkinTheme.h"
#include "ui/UiFont.h"

#include <QPainter>

#include <algorithm>

namespace orvx {

CLevelGraph::CLevelGraph(QWidget* parent) : QWidget(parent), m_clock(&CFrameClock::Shared()) {
  m_background = SkinTheme::Current().Color("meter.bg");
  setAttribute(Qt::WA_OpaquePaintEvent);
}

CLevelGraph::~CLevelGraph() {
  if (m_clock != nullptr) {
    m_clock->Unsubscribe(this);
  }
}

void CLevelGraph::SetFrameClock(CFrameClock* clock) {
  if (m_clock != nullptr) {
    m_clock->Unsubscribe(this);
  }
  m_clock = clock;
  if (isVisible()) {
    FollowClock();
  }
}

void CLevelGraph::FollowClock() {
  if (m_clock == nullptr) {
    return;
  }
  m_clock->Subscribe(this, [this](int elapsedMs) { return AdvanceFrame(elapsedMs); });
  // A peak that was falling when the meter was hidden goes on falling.
  if (Moving()) {
    m_clock->RequestFrame(this);
  }
}

void CLevelGraph::WantFrame() {
  if (m_clock != nullptr && isVisible()) {
    m_clock->RequestFrame(this);
  }
}

void CLevelGraph::showEvent(QShowEvent* event) {
  FollowClock();
  QWidget::showEvent(event);
}

void CLevelGraph::hideEvent(QHideEvent* event) {
  // A hidden meter keeps storing values but takes no frames; it is painted afresh when shown.
  if (m_clock != nullptr) {
    m_clock->Unsubscribe(this);
  }
  QWidget::hideEvent(event);
}

void CLevelGraph::SetColumnCount(int count) {
  m_count = std::clamp(count, 1, kMaxColumns);
  MarkDirty();
}

void CLevelGraph::SetValue(int column, double value) {
  if (!Valid(column)) {
    return;
  }
  Column& c = m_columns[column];
  const double clamped = MeterScale::ClampValue(value, c.minimum, c.maximum);
  if (clamped != c.ballistics.Level()) {
    c.ballistics.SetLevel(clamped);
    // Only what the frame would draw differently asks for one (a change within a row does not).
    if (Shown(column) != m_shown[column]) WantFrame();
  }
}

double CLevelGraph::Value(int column) const { return Valid(column) ? m_columns[column].ballistics.Level() : 0.0; }

double CLevelGraph::Peak(int column) const { return Valid(column) ? m_columns[column].ballistics.Peak() : 0.0; }

void CLevelGraph::SetRange(int column, double minimum, double maximum) {
  if (!Valid(column)) {
    return;
  }
  Column& c = m_columns[column];
  c.minimum = minimum;
  c.maximum = maximum;
  c.ballistics.Reset(MeterScale::ClampValue(c.ballistics.Level(), minimum, maximum));
  MarkDirty();
}

void CLevelGraph::SetStyle(int column, Style style) {
  if (Valid(column)) {
    m_columns[column].style = style;
    MarkDirty();
  }
}

void CLevelGraph::SetCaption(int column, const QString& caption) {
  if (Valid(column)) {
    m_columns[column].caption = caption;
    MarkDirty();
  }
}

void CLevelGraph::SetThresholds(double zone2, double zone3) {
  m_zone2 = zone2;
  m_zone3 = zone3;
  MarkDirty();
}

void CLevelGraph::SetBackgroundColor(const QColor& color) {
  m_background = color;
  MarkDirty();
}

void CLevelGraph::SetPlotMargins(int top, int bottom) {
  m_topMargin = top;
  m_bottomMargin = bottom;
  MarkDirty();
}

void CLevelGraph::SetPeakHold(bool on) {
  m_peakHold = on;
  MarkDirty();
}

void CLevelGraph::MarkDirty() {
  m_dirty = true;
  WantFrame();
}

CLevelGraph::ShownColumn CLevelGraph::Shown(int column) const {
  const Column& c = m_columns[column];
  if (c.style != LedBar) {
    return {};
  }
  const int height = PlotRect().height() - m_topMargin - m_bottomMargin;  // as paintEvent lays it out
  const int lit = MeterScale::LitHeight(height, c.ballistics.Level(), c.minimum, c.maximum);
  const int peak = m_peakHold ? MeterScale::LitHeight(height, c.ballistics.Peak(), c.minimum, c.maximum) : 0;
  // The peak marker is drawn only above the bar, a row apart; below that it is part of the bar.
  return {lit, peak > lit + MeterScale::kRowHeight ? peak : 0};
}

bool CLevelGraph::IsDirty() const {
  if (m_dirty) {
    return true;
  }
  for (int i = 0; i < m_count; ++i) {
    if (Shown(i) != m_shown[i]) {
      return true;
    }
  }
  return false;
}

bool CLevelGraph::Moving() const {
  if (!m_peakHold) {
    return false;
  }
  return std::any_of(m_columns.begin(), m_columns.begin() + m_count,
                     [](const Column& c) { return c.style == LedBar && !c.ballistics.Resting(); });
}

bool CLevelGraph::AdvanceFrame(int elapsedMs) {
  ++m_frames;
  bool changed = m_dirty;
  for (int i = 0; i < m_count; ++i) {
    m_columns[i].ballistics.Advance(elapsedMs);
    const ShownColumn shown = Shown(i);
    if (shown != m_shown[i]) {
      m_shown[i] = shown;
      changed = true;
    }
  }
  if (changed) {
    m_dirty = false;
    ++m_repaintRequests;
    update();
  }
  return Moving();
}

QRect CLevelGraph::PlotRect() const { return rect(); }

void CLevelGraph::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), m_background);
  const QRect plot = PlotRect();
  const int top = plot.top() + m_topMargin;
  const int bottom = plot.top() + plot.height() - m_bottomMargin;
  for (int g = 0; g < m_count; ++g) {
    const ColumnSpan span = MeterScale::Column(plot.left(), plot.left() + plot.width(), g, m_count);
    const Column& column = m_columns[g];
    if (column.style == DbScale) {
      PaintScale(painter, column, span.left, span.right, top, bottom);
    } else {
      PaintLed(painter, Shown(g), span.left, span.right, top, bottom);
    }
    if (!column.caption.isEmpty() && m_bottomMargin > 0) {
      painter.setFont(UiFontPx(std::min(16, m_bottomMargin)));
      painter.setPen(SkinTheme::Current().Color("meter.caption"));
      painter.drawText(QRect(span.left, bottom, span.right - span.left + 1, m_bottomMargin),
                       Qt::AlignCenter | Qt::TextSingleLine, column.caption);
    }
  }
}

void CLevelGraph::PaintLed(QPainter& painter, const ShownColumn& shown, int left, int right, int top,
                           int bottom) const {
  const SkinTheme& theme = SkinTheme::Current();
  const QColor lit[3] = {theme.Color("meter.zone1.lit"), theme.Color("meter.zone2.lit"),
                         theme.Color("meter.zone3.lit")};
  const QColor unlit[3] = {theme.Color("meter.zone1.unlit"), theme.Color("meter.zone2.unlit"),
                           theme.Color("meter.zone3.unlit")};
  const int height = bottom - top;
  const int width = right - left + 1;
  if (height <= 0 || width <= 0) {
    return;
  }
  // Rows of 2 pixels from the bottom up, each in its zone's colour: the whole column unlit, then
  // the lit part over it. Rows of one zone side by side are one rectangle.
  auto paintRows = [&](int upTo, const QColor* colours) {
    int runFrom = 0;
    int runZone = 0;
    auto paintRun = [&](int to) {
      if (runZone != 0 && to > runFrom) painter.fillRect(left, bottom - to, width, to - runFrom, colours[runZone - 1]);
    };
    for (int fromBottom = 0; fromBottom < upTo; fromBottom += MeterScale::kRowHeight) {
      const int zone = MeterScale::Zone(fromBottom, height, m_zone2, m_zone3);
      if (zone != runZone) {
        paintRun(fromBottom);
        runFrom = fromBottom;
        runZone = zone;
      }
    }
    paintRun(upTo);
  };
  paintRows(height, unlit);
  paintRows(shown.lit, lit);
  if (shown.peak > 0) {
    const int zone = MeterScale::Zone(shown.peak - MeterScale::kRowHeight, height, m_zone2, m_zone3);
    painter.fillRect(left, bottom - shown.peak, width, MeterScale::kRowHeight, lit[zone - 1]);
  }
}

void CLevelGraph::PaintScale(QPainter& painter, const Column& column, int left, int right, int top, int bottom) const {
  const SkinTheme& theme = SkinTheme::Current();
  const int height = bottom - top;
  const int width = right - left;
  painter.setFont(UiFontPx(10));
  for (int i = 0; i < MeterScale::kTicks; ++i) {
    const int y = MeterScale::TickY(bottom, height, i);
    painter.setPen(theme.Color("meter.scale.tick"));
    painter.drawLine(right - width / 6, y, right - width / 12, y);
    painter.setPen(theme.Color("meter.scale.text"));
    const int boxLeft = left + width / 10;
    painter.drawText(QRect(boxLeft, y - 7, std::max(1, left + 30 - boxLeft), 14), Qt::AlignCenter,
                     MeterScale::TickLabel(column.minimum, column.maximum, i));
  }
}

}  // namespace orvx
