#include "ui/SliderGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace orvx {

int SliderGeometry::Travel() const { return std::max(0, length - endMargin - thumb - startMargin); }

int SliderGeometry::PosToPixel(int position) const {
  const int span = maximum - minimum;
  const double fraction = span == 0 ? 0.0 : static_cast<double>(position - minimum) / span;
  return startMargin + static_cast<int>(std::trunc(fraction * Travel())) + thumb / 2;
}

int SliderGeometry::PixelToPos(int pixel) const {
  const int travel = Travel();
  if (travel == 0) {
    return minimum;
  }
  const double fraction = static_cast<double>(pixel - thumb / 2 - startMargin) / travel;
  return static_cast<int>(std::trunc(fraction * (maximum - minimum) + minimum));
}

int SliderGeometry::ClampPixel(int pixel) const {
  const int low = startMargin + thumb / 2;
  const int high = std::max(low, length - thumb / 2 - endMargin);
  return std::clamp(pixel, low, high);
}

int SliderGeometry::GrabOffset(int press, int centre) const {
  return std::abs(press - centre) > thumb / 2 ? 0 : press - centre;
}

int SliderGeometry::Clamp(int position) const {
  return std::clamp(position, std::min(minimum, maximum), std::max(minimum, maximum));
}

int SliderGeometry::KeyStep(SliderKey key, int position, int pageStep) const {
  switch (key) {
    case SliderKey::PageUp: return Clamp(position - pageStep);
    case SliderKey::PageDown: return Clamp(position + pageStep);
    case SliderKey::End: return Clamp(maximum);
    case SliderKey::Home: return Clamp(minimum);
    case SliderKey::Left:
    case SliderKey::Up: return Clamp(position - 1);
    case SliderKey::Right:
    case SliderKey::Down: return Clamp(position + 1);
  }
  return Clamp(position);
}

int SliderCrossAxis::CapStart() const {
  // Floor division, so a cap wider than the room overhangs both margins alike.
  const int spare = length - cap;
  return start + (spare >= 0 ? spare / 2 : -((1 - spare) / 2));
}

double SliderCrossAxis::CentreLine() const { return CapStart() + cap / 2.0; }

double SliderCrossAxis::SlotStart(double slotWidth) const { return CentreLine() - slotWidth / 2.0; }

}  // namespace orvx
