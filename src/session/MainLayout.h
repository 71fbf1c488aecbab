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
  static constexpr int kTallClient = 920;
  static constexpr int kShortStripHeight = 700;
  static constexpr int kScrollWidth = 1600;   ///< horizontal scroll range 1..1600
  static constexpr int kScrollHeight = 1000;  ///< vertical scroll range 1..1000

  /// W = client width x 2 / 21, truncated, at least 150.
  static int StripWidth(int clientWidth);
  /// Client height - 220 from 920 up, otherwise 700.
  static int StripHeight(int clientHeight);

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
