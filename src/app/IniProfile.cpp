#include "app/IniProfile.h"

namespace orvx {

namespace {
QString KeyPath(const std::string& section, const std::string& key) {
  return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}
}  // namespace

std::optional<std::string> CIniProfile::Read(const std::string& section, const std::string& key) const {
  const QString path = KeyPath(section, key);
  if (!m_settings.contains(path)) return std::nullopt;
  return m_settings.value(path).toString().toStdString();
}

void CIniProfile::Write(const std::string& section, const std::string& key, const std::string& value) {
  m_settings.setValue(KeyPath(section, key), QString::fromStdString(value));
  m_settings.sync();
}

}  // namespace orvx
