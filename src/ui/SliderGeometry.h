#pragma once
/// The fader's arithmetic along its axis: position <-> thumb-centre pixel, the grab offset of
/// a press, the clamping of a drag and the key steps. Pure; `CSkinSlider` only paints and routes.

namespace orvx {

/// Keys a slider understands.
enum class SliderKey { PageUp, PageDown, Home, End, Up, Down, Left, Right };

struct SliderGeometry {
  int length = 0;       ///< L: control length along the axis
  int startMargin = 0;  ///< S
  int endMargin = 0;    ///< E
  int thumb = 0;        ///< T: thumb length along the axis
  int minimum = 0;
  int maximum = 100;

  /// Pixels the thumb centre can travel (L - E - T - S); never negative.
  int Travel() const;
  /// Thumb-centre pixel of `position`.
  int PosToPixel(int position) const;
  /// Position of a thumb-centre pixel (not clamped; callers clamp the pixel first).
  int PixelToPos(int pixel) const;
  /// A pointer coordinate, less the grab offset, kept on the thumb's track.
  int ClampPixel(int pixel) const;
  /// Offset between a press at `press` and the thumb centre `centre`: 0 when the press is
  /// more than half a thumb away (the thumb jumps under the pointer), else press - centre.
  int GrabOffset(int press, int centre) const;
  /// `position` kept within [minimum, maximum].
  int Clamp(int position) const;
  /// New position after `key` (clamped).
  int KeyStep(SliderKey key, int position, int pageStep) const;
};

/// Placement across the axis: the cap sits centred between the margins and the painted slot
/// is centred on the cap, so both share one centre line even when their widths differ in
/// parity or the cap is wider than the room between the margins.
struct SliderCrossAxis {
  int start = 0;   ///< first pixel after the margin across the axis (left, or top)
  int length = 0;  ///< pixels between the two margins across the axis
  int cap = 0;     ///< cap width across the axis

  /// First pixel of the cap.
  int CapStart() const;
  /// The centre line of cap and slot (half-way between two pixels when the cap is even).
  double CentreLine() const;
  /// Start of a slot `slotWidth` wide centred on the centre line.
  double SlotStart(double slotWidth) const;
};

}  // namespace orvx
