#pragma once
/// Loading a scene image over the editor's state. What belongs to the processor now, not to the
/// scene, stays live: the link, the firmware version, the conference-unit count and the caption
/// language. Every loaded value then passes its parameter's rule (range, step, band shapes, names
/// whole), so a damaged or foreign file never puts a value on a control (or into a frame) that the
/// table does not allow.

#include <cstdint>
#include <optional>
#include <span>

#include "core/Captions.h"
#include "core/DeviceState.h"

namespace orvx {

namespace captions {
/// "%d" is the number of values moved into their range.
inline constexpr Caption kSceneValuesClamped{"%d values of the scene lay outside their range and were moved into it.",
                                             "场景中有 %d 个值超出范围，已调整到范围内。"};
}  // namespace captions

struct LoadedScene {
  CDeviceState state;
  int clamped = 0;  ///< values moved into their range
};

/// The state `current` becomes with the scene `image`; nullopt for an image of the wrong size.
std::optional<LoadedScene> LoadSceneImage(std::span<const std::uint8_t> image, const CDeviceState& current);

/// Puts a loaded scene into the live state, keeping what is live there (it may have moved since the
/// scene was loaded: the link, the language, the firmware version, the unit count).
void AdoptScene(CDeviceState& live, const CDeviceState& scene);

}  // namespace orvx
