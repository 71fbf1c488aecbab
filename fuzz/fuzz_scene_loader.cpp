// Feeds the scene loader what a damaged, foreign or hand-edited scene holds: arbitrary scene files
// and arbitrary JSON documents. A file of any other size is refused and changes nothing; a loaded
// scene keeps what stays live and holds every value inside its range; a file exported as JSON and
// read back is the same file; a document that was read exports and reads back as the same image.
// ASan/UBSan catch any read outside the file or a record.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "core/StateImage.h"
#include "session/ParamTable.h"
#include "session/SceneJson.h"
#include "session/SceneLoad.h"

namespace {

using orvx::CDeviceState;

/// The live state a scene is loaded over, made once (a reset converts every name through iconv).
const CDeviceState& Live() {
  static const CDeviceState live = [] {
    CDeviceState s;
    s.ResetToDefaults();
    s.link.online = true;
    s.unitCount = 3;
    std::memcpy(s.firmwareVersion.data(), "32", 3);
    return s;
  }();
  return live;
}

bool EveryValueInRange(const CDeviceState& s) {
  for (const orvx::ParamDef& d : orvx::AllParams()) {
    for (const orvx::ParamAddr& a : orvx::AddressesOf(d)) {
      const orvx::ParamValue v = orvx::ReadParam(s, a);
      if (orvx::ClampParam(a, v) != v) return false;
    }
  }
  return true;
}

void LoadFile(const std::vector<std::uint8_t>& file, bool throughJson) {
  const auto loaded = orvx::LoadSceneImage(file, Live());
  if (file.size() != orvx::image::kSceneSize) {
    if (loaded) __builtin_trap();  // a file of the wrong size was taken
    return;
  }
  if (!loaded) __builtin_trap();
  const CDeviceState& s = loaded->state;
  if (!s.link.online || s.unitCount != 3 || std::strcmp(s.firmwareVersion.data(), "32") != 0) __builtin_trap();
  if (loaded->clamped < 0 || !EveryValueInRange(s)) __builtin_trap();
  if (!throughJson) return;  // a document of every value is slow to write and read: one file in four
  // Exported and read back: the same file, or refused for a value outside its range.
  const orvx::SceneFromJson back = orvx::SceneImageFromJson(orvx::SceneImageToJson(file, "fuzz"));
  if (back.Ok() && back.image != file) __builtin_trap();
  if (!back.Ok() && loaded->clamped == 0 && back.error.find("outside") == std::string::npos &&
      back.error.find("disagree") == std::string::npos)
    __builtin_trap();  // an in-range file must read back
}

void ReadDocument(const std::string& text) {
  const orvx::SceneFromJson doc = orvx::SceneImageFromJson(text);
  if (!doc.Ok()) {
    if (!doc.image.empty() || doc.error.empty()) __builtin_trap();
    return;
  }
  if (doc.image.size() != orvx::image::kSceneSize) __builtin_trap();
  const orvx::SceneFromJson again = orvx::SceneImageFromJson(orvx::SceneImageToJson(doc.image, doc.name));
  if (!again.Ok() || again.image != doc.image) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t control = data[0];
  std::vector<std::uint8_t> rest(data + 1, data + size);
  if (control & 0x01) {
    ReadDocument(std::string(rest.begin(), rest.end()));
    return 0;
  }
  // Most files are fitted to the scene size over a saved state, so the loader's checks of values
  // are reached as often as its check of the size.
  if (control & 0x02) {
    std::vector<std::uint8_t> file = orvx::image::EncodeScene(Live());
    const std::size_t at = (static_cast<std::size_t>(control >> 2) * 331) % file.size();
    for (std::size_t i = 0; i < rest.size() && at + i < file.size(); ++i) file[at + i] = rest[i];
    rest = std::move(file);
  }
  LoadFile(rest, (control & 0x0C) == 0x0C);
  return 0;
}
