#pragma once
/// Geometry of the main window: strip width, strip height and the place of every fixed control,
/// all derived from the client size. Pure functions so the numbers are tested without a window.

namespace orvx {

struct LayoutRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  bool operator==(const LayoutRect&) const = default;
};

struct LayoutSize {
  int w = 0;
  int h = 0;
  bool operator==(const LayoutSize&) const = default;
};

/// Where a strip kind puts the shared widgets (pixels from the strip's top), for the full height.
struct StripLayout {
  int levelTop;  ///< the dB figure of the fader
  int faderTop;
  int faderHeight;
  int muteTop;
  int muteHeight;
  int nameTop;
  int nameHeight = 60;
  bool operator==(const StripLayout&) const = default;
};

/// The strip's places for a strip `height` tall: the full layout when it fits; otherwise the name
/// key gets lower (down to 40) and the fader shorter (down to kMinFaderHeight), everything from the
/// fader's foot down moving up with it, so every key stays inside the strip.
StripLayout FitStripLayout(const StripLayout& full, int height);
inline constexpr int kMinFaderHeight = 120;
inline constexpr int kStripBottomMargin = 4;

/// Fixed controls of the main window, in the order of their place rules.
enum class MainControl : int {
  ViewChannel,
  ViewMatrix,
  ViewMode,
  ViewSystem,
  ViewGroups,
  GroupButton1,
  GroupButton2,
  GroupButton4,
  GroupLabel1,
  GroupLabel2,
  GroupLabel4,
  ChannelName,
  ValueBox,  ///< the typed value, as wide as the name above it (the second box stood always empty)
  KindName,
  StatusLamp,
  StatusText,
  MuteGroupLabel,
  ControlGroupLabel,
  Menu,
  LanguageToggle,  ///< the shell's own keys, right of the status
  Undo,
  Redo,  ///< the history keys, between the status and the shell's keys
  PlanProgress,  ///< a running plan's progress, under the history keys, whatever page is open
};

class CMainLayout {
public:
  static constexpr int kStripTop = 200;
  static constexpr int kMinStripWidth = 150;
  static constexpr int kMinHeaderUnit = 100;
  static constexpr int kTallClient = 920;
  /// The shortest strip: its keys still fit over a fader of kMinFaderHeight; a shorter window scrolls.
  static constexpr int kMinStripHeight = 520;
  static constexpr int kScrollWidth = 1600;   ///< horizontal scroll range 1..1600
  static constexpr int kScrollHeight = 1000;  ///< vertical scroll range 1..1000

  /// W = client width x 2 / 21, truncated, at least 150.
  static int StripWidth(int clientWidth);
  /// Client height - 220 (the header and a margin), at least kMinStripHeight: the strips fit the
  /// window below its fixed header.
  static int StripHeight(int clientHeight);
  /// The header's unit: the strip width while the header fits, narrower on a narrow window so the
  /// history, menu and language keys at the right are never cut off.
  static int HeaderUnit(int clientWidth);

  /// Place of a fixed control for strip width `w`.
  static LayoutRect ControlRect(MainControl control, int w);
  /// Mute-group (`controlGroups` false) or control-group key n (1..4): two rows of two.
  static LayoutRect GroupKeyRect(bool controlGroups, int n, int w);

  /// Strip i (0-based) of the shown group.
  static LayoutRect StripRect(int i, int w, int stripHeight);
  /// The area a page of views 1..5 covers.
  static LayoutRect PageRect(int w, int stripHeight);
  /// The channel-detail panel beside the strips.
  static LayoutRect DetailPanelRect(int w, int stripHeight);

  /// Input channel view: the spare strip at the left and the editor beside it (7W).
  static LayoutRect InputViewStripRect(int w, int stripHeight);
  static LayoutRect InputViewEditorRect(int w, int stripHeight);
  /// Output channel view: the editor at the left (8W) and the spare strip at 8W + 16.
  static LayoutRect OutputViewStripRect(int w, int stripHeight);
  static LayoutRect OutputViewEditorRect(int w, int stripHeight);

  /// Size of the scrolled canvas: the scroll ranges, never smaller than the client.
  static LayoutSize CanvasSize(LayoutSize client);
};

}  // namespace orvx
