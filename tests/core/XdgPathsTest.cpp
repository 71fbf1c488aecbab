// Where the editor and orvxctl find the data directory: the same rule for both.
#include "core/XdgPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace orvx {
namespace {

/// Sets (or with nullptr removes) an environment variable for the test's scope.
class ScopedEnv {
public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* was = std::getenv(name)) m_was = was;
    if (value != nullptr) ::setenv(name, value, 1);
    else ::unsetenv(name);
  }
  ~ScopedEnv() {
    if (m_was) ::setenv(m_name, m_was->c_str(), 1);
    else ::unsetenv(m_name);
  }

private:
  const char* m_name;
  std::optional<std::string> m_was;
};

TEST(XdgPathsTest, TheDataDirectoryFollowsXdgDataHomeUnlessItIsRelativeOrOverridden) {
  struct Case {
    const char* xdg;
    std::string overrideDir;
    std::string expected;
  };
  const std::string cwd = std::filesystem::current_path().string();
  const Case cases[] = {
      {"/srv/share", "", "/srv/share/orvx-editor"},
      {"relative/share", "", "/home/op/.local/share/orvx-editor"},  // the rules ignore a relative path
      {nullptr, "", "/home/op/.local/share/orvx-editor"},
      {"/srv/share", "/opt/orvx", "/opt/orvx"},
      {"/srv/share", "lib", cwd + "/lib"},
  };
  const ScopedEnv home("HOME", "/home/op");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xdg ? c.xdg : "(unset)");
    const ScopedEnv xdg("XDG_DATA_HOME", c.xdg);
    EXPECT_EQ(DataDirectoryPath(c.overrideDir), c.expected);
  }
  const ScopedEnv config("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(XdgDirectory("XDG_CONFIG_HOME", ".config"), "/home/op/.config");
}

}  // namespace
}  // namespace orvx
