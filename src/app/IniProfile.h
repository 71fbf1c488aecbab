#pragma once
/// The settings profile in an INI file, through QSettings.

#include <QSettings>

#include "session/ProfileStore.h"

namespace orvx {

class CIniProfile final : public IProfileStore {
public:
  explicit CIniProfile(const QString& path) : m_settings(path, QSettings::IniFormat) {}

  std::optional<std::string> Read(const std::string& section, const std::string& key) const override;
  void Write(const std::string& section, const std::string& key, const std::string& value) override;
  QString Path() const { return m_settings.fileName(); }

private:
  mutable QSettings m_settings;
};

}  // namespace orvx
