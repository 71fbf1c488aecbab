#include "ui/SkinStore.h"

#include <QFile>

namespace orvx {

CSkinStore& CSkinStore::Instance() {
  static CSkinStore store;
  return store;
}

QPixmap CSkinStore::Get(const QString& name) {
  auto it = m_cache.constFind(name);
  if (it != m_cache.constEnd()) {
    return *it;
  }
  QPixmap pixmap;
  if (!name.isEmpty()) {
    QStringList candidates;
    for (const QString& dir : m_dirs) {
      candidates << dir + '/' + name + ".png";
    }
    candidates << ":/skin/" + name + ".png";
    for (const QString& path : candidates) {
      if (QFile::exists(path) && pixmap.load(path, "PNG")) {
        ++m_decodes;
        break;
      }
    }
  }
  m_cache.insert(name, pixmap);
  return pixmap;
}

void CSkinStore::AddSearchDir(const QString& dir) {
  m_dirs.prepend(dir);
  Clear();
}

void CSkinStore::Clear() { m_cache.clear(); }

QPixmap LoadPngResource(const QString& name) { return CSkinStore::Instance().Get(name); }

}  // namespace orvx
