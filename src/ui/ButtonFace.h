#pragma once
/// Which of an image button's three faces shows, and which title-bar button look applies.

namespace orvx {

/// 0: none of the three (never returned), 1..3 the first, second, third image.
enum class FaceSlot { First = 1, Second = 2, Third = 3 };

/// Face of a `PngButton`: toggle mode follows the checked state (third face while
/// unavailable); push mode shows the second face while pressed or hovered.
FaceSlot ChooseFace(bool toggleMode, bool unavailable, bool checked, bool pressed, bool hovered);

/// Look of a `CCaptionButton`.
enum class CaptionState { Normal, Over, Down, Gray };

/// First that holds: disabled -> Gray; not hovered -> Normal; hovered and pressed -> Down; Over.
CaptionState ChooseCaptionState(bool enabled, bool hovered, bool pressed);

}  // namespace orvx
