#include "session/ProfileRules.h"

namespace orvx {

std::string HostIpFromProfile(const std::optional<std::string>& stored, const std::string& current) {
  if (!stored) return current;
  if (stored->empty()) return kDefaultDeviceIp;
  return *stored;
}

bool ChineseFromProfile(const std::optional<std::string>& stored) { return stored && *stored == "zh"; }

}  // namespace orvx
