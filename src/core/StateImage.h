#pragma once
/// The fixed binary image of the device state used by scene files: 20,568 bytes,
/// little-endian words at fixed offsets. Region offsets and sizes never change.

#include "core/DeviceState.h"

#include <cstdint>
#include <span>
#include <vector>

namespace orvx::image {

constexpr std::size_t kMainBlockSize = 19'336;
constexpr std::size_t kMuteGroupsOffset = 19'336;
constexpr std::size_t kControlGroupsOffset = 19'848;
constexpr std::size_t kSceneSize = 20'568;

// Regions of the main block.
constexpr std::size_t kHeaderWord = 0;
constexpr std::size_t kUnitSlots = 4;
constexpr std::size_t kDeviceWords = 24;       ///< 8 words: unitCount, then spare
constexpr std::size_t kInputs = 56;            ///< 18 x 560
constexpr std::size_t kFurtherWords = 10'136;  ///< 1,120 bytes of spare device-wide words
constexpr std::size_t kOutputs = 11'256;       ///< 8 x 856
constexpr std::size_t kTail = 18'104;          ///< 1,232 bytes
constexpr std::size_t kAutomixAt[6] = {        ///< indexed by AutomixIndex (wire order)
    18'104, 18'112, 18'144, 18'120, 18'128, 18'136};
constexpr std::size_t kDetector = 18'152;
constexpr std::size_t kSync = 18'168;
constexpr std::size_t kFirmwareVersion = 18'172;
constexpr std::size_t kOnline = 19'292;

/// Writes the whole scene image of the state.
std::vector<std::uint8_t> EncodeScene(const CDeviceState& state);

/// Reads a complete scene image into the state. Refuses (returns false, state untouched)
/// anything but exactly kSceneSize bytes. The link status is never taken from the image.
bool DecodeScene(std::span<const std::uint8_t> bytes, CDeviceState& state);

}  // namespace orvx::image
