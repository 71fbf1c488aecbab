#include "device/FirmwareVersions.h"

#include <filesystem>
#include <system_error>

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

bool HoldsALocalImagePair(const std::string& directory) {
  const auto isFile = [&](const std::string& name) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(std::filesystem::path(directory) / name, ignored);
  };
  for (int basic : {0, kThirdBasicVersion}) {
    const LocalImagePair pair = LocalImageNames(basic);
    if (isFile(pair.digital) && isFile(pair.dsp)) return true;
  }
  return false;
}

std::string VersionLabel(const Caption& caption, std::string_view version, int scale, Language language) {
  return std::string(Text(caption, language)) + FormatFixed(static_cast<double>(VersionNumber(version)) / scale, 1);
}

}  // namespace orvx
