#include "app/InstalledFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

#include "ui/SkinStore.h"

namespace orvx {

namespace {
constexpr const char* kNameFontFile = "wqy-microhei.ttc";
}

InstalledFiles FindInstalledFiles(const QString& programDir, const QString& relative) {
  InstalledFiles files;
  const QDir share(QDir(programDir).filePath(relative));
  if (!share.exists(QStringLiteral("skin"))) return files;
  files.shareDir = share.canonicalPath();
  // A link to a font package that is not installed leads nowhere: then fontconfig chooses.
  const QFileInfo font(share.filePath(QStringLiteral("fonts/") + QLatin1String(kNameFontFile)));
  if (font.exists()) files.nameFont = font.absoluteFilePath();
  return files;
}

int UseInstalledFiles(const InstalledFiles& files) {
  if (files.shareDir.isEmpty()) return 0;
  const QDir share(files.shareDir);
  CSkinStore::Instance().AddSearchDir(share.filePath(QStringLiteral("skin")));
  int taken = 0;
  const QDir fonts(share.filePath(QStringLiteral("fonts")));
  for (const QFileInfo& f : fonts.entryInfoList({"*.ttf", "*.ttc", "*.otf"}, QDir::Files))
    if (QFontDatabase::addApplicationFont(f.absoluteFilePath()) >= 0) ++taken;
  return taken;
}

}  // namespace orvx
