#include "device/FirmwareVersions.h"

#include "core/NumberText.h"
#include "link/HexFields.h"

namespace orvx {

int VersionNumber(std::string_view text) { return ReadDecimal(text); }

bool RemoteIsNewer(std::string_view hardware, std::string_view remote) {
  return VersionNumber(hardware) < VersionNumber(remote);
}

LocalImagePair LocalImageNames(int basicVersion) {
  if (basicVersion >= kThirdBasicVersion) return {"Digital-ORVX64Q-3.bin", "DSP-ORVX64Q-3.bin"};
  return {"Digital-ORVX64Q.bin", "DSP-ORVX64Q.bin"};
}

std::string VersionLabel(const Caption& caption, std::string_view version, int scale, Language language) {
  return std::string(Text(caption, language)) + FormatFixed(static_cast<double>(VersionNumber(version)) / scale, 1);
}

}  // namespace orvx
