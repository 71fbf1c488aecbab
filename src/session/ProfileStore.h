#pragma once
/// The settings profile as sections of keys and text values. The editor stores it in an INI
/// file; tests use a map.

#include <map>
#include <optional>
#include <string>

namespace orvx {

class IProfileStore {
public:
  virtual ~IProfileStore() = default;
  /// The value, or nullopt when the key is missing.
  virtual std::optional<std::string> Read(const std::string& section, const std::string& key) const = 0;
  virtual void Write(const std::string& section, const std::string& key, const std::string& value) = 0;
};

/// A profile held in memory.
class CMemoryProfile final : public IProfileStore {
public:
  std::optional<std::string> Read(const std::string& section, const std::string& key) const override {
    auto it = m_values.find(section + "/" + key);
    if (it == m_values.end()) return std::nullopt;
    return it->second;
  }
  void Write(const std::string& section, const std::string& key, const std::string& value) override {
    m_values[section + "/" + key] = value;
  }

private:
  std::map<std::string, std::string> m_values;
};

}  // namespace orvx
