#include "core/XdgPaths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace orvx {
namespace {

std::string HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') return home;
  const passwd* entry = ::getpwuid(::getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/";
}

}  // namespace

std::string XdgDirectory(const char* variable, const char* fallbackUnderHome) {
  const char* value = std::getenv(variable);
  if (value != nullptr && std::filesystem::path(value).is_absolute()) return value;
  return HomeDirectory() + "/" + fallbackUnderHome;
}

std::string DataDirectoryPath(const std::string& overrideDir) {
  if (!overrideDir.empty()) return std::filesystem::absolute(overrideDir).lexically_normal().string();
  return XdgDirectory("XDG_DATA_HOME", ".local/share") + "/orvx-editor";
}

}  // namespace orvx
