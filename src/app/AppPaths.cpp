#include "app/AppPaths.h"

#include <QDir>

#include "core/XdgPaths.h"

namespace orvx {

QString ProfilePath() {
  return QString::fromStdString(XdgDirectory("XDG_CONFIG_HOME", ".config")) +
         QStringLiteral("/orvx-editor/orvx-editor.ini");
}

QString DataDirectory(const QString& overrideDir) {
  return QString::fromStdString(DataDirectoryPath(overrideDir.toStdString()));
}

bool EnsureDirectory(const QString& dir) { return QDir().mkpath(dir); }

}  // namespace orvx
