#include "session/MainLayout.h"

#include <algorithm>

namespace orvx {

namespace {
constexpr int kViewButtonTop = 120;
constexpr int kViewButtonHeight = 50;
constexpr int kGroupButtonTop = 5;
constexpr int kGroupButtonSize[2] = {100, 60};
constexpr int kGroupLabelTop = 65;
constexpr int kGroupLabelSize[2] = {100, 24};
constexpr int kGroupKeySize = 26;
constexpr int kGroupKeyRows[2] = {132, 160};

/// Half-strip offsets are computed on doubled values so 1.5W truncates once.
int OneAndAHalf(int w) { return w * 3 / 2; }
int SixAndAHalf(int w) { return w * 13 / 2; }
/// The status lamp and text at 6.5W + 10, or further left on a narrow header so they clear the
/// history keys (which start at 8W - 84).
int StatusLeft(int w) { return std::min(SixAndAHalf(w) + 10, 8 * w + 16 - 100 - 100); }
}  // namespace

int CMainLayout::StripWidth(int clientWidth) { return std::max(clientWidth * 2 / 21, kMinStripWidth); }

int CMainLayout::StripHeight(int clientHeight) { return std::max(clientHeight - 220, kMinStripHeight); }

int CMainLayout::HeaderUnit(int clientWidth) {
  // The menu key ends at 8U + 16 + 110; it stays inside the window down to about 900 pixels.
  constexpr int kRightKeys = 16 + 110 + 4;
  return std::max(std::min(StripWidth(clientWidth), (clientWidth - kRightKeys) / 8), kMinHeaderUnit);
}

StripLayout FitStripLayout(const StripLayout& full, int height) {
  const int fullBottom = full.nameTop + full.nameHeight + kStripBottomMargin;
  const int lack = fullBottom - height;
  if (lack <= 0) return full;
  StripLayout fit = full;
  // First the name key gives up to 20 pixels, then the fader the rest (down to its floor).
  const int fromName = std::min(lack, full.nameHeight - 40);
  const int fromFader = std::min(lack - fromName, full.faderHeight - kMinFaderHeight);
  fit.nameHeight = full.nameHeight - fromName;
  fit.faderHeight = full.faderHeight - fromFader;
  fit.muteTop = full.muteTop - fromFader;
  fit.nameTop = full.nameTop - fromFader;
  if (full.levelTop > full.faderTop) fit.levelTop = full.levelTop - fromFader;  // a figure under the fader
  return fit;
}

LayoutRect CMainLayout::ControlRect(MainControl control, int w) {
  const int left = OneAndAHalf(w);
  switch (control) {
    case MainControl::ViewChannel: return {0, kViewButtonTop, w, kViewButtonHeight};
    case MainControl::ViewMatrix: return {w, kViewButtonTop, w, kViewButtonHeight};
    case MainControl::ViewMode: return {2 * w, kViewButtonTop, w, kViewButtonHeight};
    case MainControl::ViewSystem: return {3 * w, kViewButtonTop, w, kViewButtonHeight};
    case MainControl::ViewGroups: return {4 * w, kViewButtonTop, w, kViewButtonHeight};
    case MainControl::GroupButton1: return {left + 10, kGroupButtonTop, kGroupButtonSize[0], kGroupButtonSize[1]};
    case MainControl::GroupButton2: return {left + 120, kGroupButtonTop, kGroupButtonSize[0], kGroupButtonSize[1]};
    case MainControl::GroupButton4: return {left + 400, kGroupButtonTop, kGroupButtonSize[0], kGroupButtonSize[1]};
    case MainControl::GroupLabel1: return {left + 10, kGroupLabelTop, kGroupLabelSize[0], kGroupLabelSize[1]};
    case MainControl::GroupLabel2: return {left + 120, kGroupLabelTop, kGroupLabelSize[0], kGroupLabelSize[1]};
    case MainControl::GroupLabel4: return {left + 400, kGroupLabelTop, kGroupLabelSize[0], kGroupLabelSize[1]};
    case MainControl::ChannelName: return {left + 230, 0, 160, 30};
    case MainControl::ValueBox: return {left + 230, 30, 160, 30};
    case MainControl::KindName: return {left + 230, 60, 160, 30};
    case MainControl::StatusLamp: return {StatusLeft(w) + 15, 10, 60, 45};
    case MainControl::StatusText: return {StatusLeft(w), 60, 90, 30};
    case MainControl::MuteGroupLabel: return {5 * w, 100, w, 30};
    case MainControl::ControlGroupLabel: return {6 * w, 100, w, 30};
    case MainControl::Menu: return {8 * w + 16, 10, 110, 40};
    case MainControl::LanguageToggle: return {8 * w + 16, 60, 110, 40};
    case MainControl::Undo: return {8 * w + 16 - 100, 10, 90, 40};
    case MainControl::Redo: return {8 * w + 16 - 100, 60, 90, 40};
    case MainControl::PlanProgress: return {7 * w, 128, 2 * w + 16, 24};
  }
  return {};
}

LayoutRect CMainLayout::GroupKeyRect(bool controlGroups, int n, int w) {
  const int base = (controlGroups ? 6 : 5) * w;
  const int index = std::clamp(n, 1, 4) - 1;
  const int column = index % 2;
  const int row = index / 2;
  // Two keys per row, centred in the column of width W.
  const int gap = 6;
  const int left = base + (w - 2 * kGroupKeySize - gap) / 2;
  return {left + column * (kGroupKeySize + gap), kGroupKeyRows[row], kGroupKeySize, kGroupKeySize - 2};
}

LayoutRect CMainLayout::StripRect(int i, int w, int stripHeight) { return {i * (w + 2), kStripTop, w, stripHeight}; }

LayoutRect CMainLayout::PageRect(int w, int stripHeight) { return {0, kStripTop, 9 * w + 16, stripHeight}; }

LayoutRect CMainLayout::DetailPanelRect(int w, int stripHeight) { return {9 * w + 18, kStripTop, w, stripHeight}; }

LayoutRect CMainLayout::InputViewStripRect(int w, int stripHeight) { return {0, kStripTop, w, stripHeight}; }

LayoutRect CMainLayout::InputViewEditorRect(int w, int stripHeight) { return {w + 2, kStripTop, 7 * w, stripHeight}; }

LayoutRect CMainLayout::OutputViewStripRect(int w, int stripHeight) { return {8 * w + 16, kStripTop, w, stripHeight}; }

LayoutRect CMainLayout::OutputViewEditorRect(int w, int stripHeight) { return {0, kStripTop, 8 * w, stripHeight}; }

LayoutSize CMainLayout::CanvasSize(LayoutSize client) {
  return {std::max(client.w, kScrollWidth), std::max(client.h, kScrollHeight)};
}

}  // namespace orvx
