#include "device/UpdateBackup.h"

#include <cstdio>

namespace orvx {

std::string BackupSceneName(const std::tm& t) {
  char text[96];  // room for any int in every field
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

}  // namespace orvx
