#include "app/AppPaths.h"

#include <QDir>

namespace orvx {

namespace {
QString XdgDir(const char* variable, const char* fallbackUnderHome) {
  const QString value = qEnvironmentVariable(variable);
  // The XDG rules ignore relative paths.
  if (!value.isEmpty() && QDir::isAbsolutePath(value)) return value;
  return QDir::homePath() + QLatin1Char('/') + QLatin1String(fallbackUnderHome);
}
}  // namespace

QString ProfilePath() { return XdgDir("XDG_CONFIG_HOME", ".config") + QStringLiteral("/orvx-editor/orvx-editor.ini"); }

QString DataDirectory(const QString& overrideDir) {
  if (!overrideDir.isEmpty()) return QDir(overrideDir).absolutePath();
  return XdgDir("XDG_DATA_HOME", ".local/share") + QStringLiteral("/orvx-editor");
}

bool EnsureDirectory(const QString& dir) { return QDir().mkpath(dir); }

}  // namespace orvx
