#pragma once
/// Notification numbers of the skinned controls. The controls report through Qt signals; the
/// numbers are kept so owners that log or dispatch by number use the system's own values.

namespace orvx {

constexpr int SLIDER_MOVING = 10449;     ///< `SliderMoving`: the position changed during a drag
constexpr int SLIDER_RELEASED = 10450;   ///< `SliderReleased`: release after a press, or a key step
constexpr int SLIDER_DBLCLK = 10451;     ///< `SliderDblClk`: a double click
constexpr int DROPDOWN_SELECTED = 1126;  ///< `DropdownSelected`: a row was chosen (1024 + 102)

}  // namespace orvx
