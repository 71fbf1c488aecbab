#include "session/SceneLoad.h"

#include "core/StateImage.h"
#include "session/ParamTable.h"

namespace orvx {
namespace {

/// What belongs to the processor now (or to this editor), never to a scene.
void KeepLive(CDeviceState& s, const CDeviceState& live) {
  s.link = live.link;
  s.language = live.language;
  s.firmwareVersion = live.firmwareVersion;
  s.unitCount = live.unitCount;
}

/// Every value through its parameter's rule: its range, the step it travels in, the band shapes a
/// band offers, a name never cut inside a double-byte character. Returns how many values moved.
int ClampEveryValue(CDeviceState& s) {
  int moved = 0;
  for (const ParamDef& d : AllParams()) {
    for (const ParamAddr& a : AddressesOf(d)) {
      const ParamValue v = ReadParam(s, a);
      const ParamValue clamped = ClampParam(a, v);
      if (clamped == v) continue;
      WriteParam(s, a, clamped);
      ++moved;
    }
  }
  return moved;
}

}  // namespace

std::optional<LoadedScene> LoadSceneImage(std::span<const std::uint8_t> image, const CDeviceState& current) {
  std::optional<LoadedScene> loaded{LoadedScene{current, 0}};
  CDeviceState& s = loaded->state;
  if (!image::DecodeScene(image, s)) return std::nullopt;
  // The image carries the firmware version and unit count of the processor it was saved from.
  KeepLive(s, current);
  loaded->clamped = ClampEveryValue(s);
  return loaded;
}

void AdoptScene(CDeviceState& live, const CDeviceState& scene) {
  CDeviceState adopted = scene;
  KeepLive(adopted, live);
  live = std::move(adopted);
}

}  // namespace orvx
