#pragma once
/// The one cache of skin images. Every control asks it for a face by name; each PNG is
/// decoded once per process and shared (QPixmap is implicitly shared).
///
/// Names are file names without ".png": `CSkinStore::Instance().Get("button_normal")` looks in
/// the added search folders first (a skin under development) and then in the compiled-in
/// resources ":/skin/". A missing image yields a null pixmap, quietly: the caller draws no face.

#include <QHash>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace orvx {

class CSkinStore {
public:
  static CSkinStore& Instance();

  /// The image named `name`, or a null pixmap when there is none. Misses are cached too.
  QPixmap Get(const QString& name);
  /// True when `name` resolves to an image.
  bool Has(const QString& name) { return !Get(name).isNull(); }

  /// Folders searched before the resources, most recent first. Clears the cache.
  void AddSearchDir(const QString& dir);
  /// Forget every cached image (after the search folders changed).
  void Clear();
  /// How many decodes (hits on disk or resources) happened so far; for tests of the caching.
  int DecodeCount() const { return m_decodes; }

private:
  CSkinStore() = default;
  QHash<QString, QPixmap> m_cache;
  QStringList m_dirs;
  int m_decodes = 0;
};

/// A skin image by name (the store's `Get`); none when it does not exist.
QPixmap LoadPngResource(const QString& name);

}  // namespace orvx
