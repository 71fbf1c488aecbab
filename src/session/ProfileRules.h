#pragma once
/// Rules of the settings profile that do not depend on where it is stored.

#include <optional>
#include <string>

#include "core/DeviceState.h"

namespace orvx {

inline constexpr const char* kProfileSection = "U_FONT_SECTION";
inline constexpr const char* kProfileHostIp = "hostip";
inline constexpr const char* kProfileLanguage = "language";
/// The maker's version page of the remote update; no key (or an empty one): no remote update.
inline constexpr const char* kProfileVersionPage = "versionpage";

/// Device address after reading `hostip`: a missing key keeps `current`, an empty one gives the default.
std::string HostIpFromProfile(const std::optional<std::string>& stored, const std::string& current);

/// Remembered language: "zh" selects Chinese, anything else (or nothing) English.
bool ChineseFromProfile(const std::optional<std::string>& stored);

}  // namespace orvx
