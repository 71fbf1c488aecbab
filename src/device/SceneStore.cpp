#include "device/SceneStore.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/AtomicFile.h"
#include "core/StateImage.h"
#include "device/DesktopTrash.h"

namespace orvx {
namespace {

namespace fs = std::filesystem;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string ImageText(std::span<const std::uint8_t> image) {
  return {reinterpret_cast<const char*>(image.data()), image.size()};
}

}  // namespace

std::string SceneFileName(std::int64_t id) { return "SAVE" + std::to_string(id) + ".dat"; }

bool IsSceneFileName(std::string_view name) {
  constexpr std::string_view kPrefix = "SAVE", kSuffix = ".dat";
  if (name.size() <= kPrefix.size() + kSuffix.size() || !name.starts_with(kPrefix) || !name.ends_with(kSuffix))
    return false;
  const std::string_view digits = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

SceneImage ReadSceneFile(const fs::path& path) {
  SceneImage image;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return {{}, "Cannot open " + path.string() + ": " + std::strerror(errno)};
  // One byte more than a scene holds tells a longer file from a complete one.
  image.bytes.resize(image::kSceneSize + 1);
  const std::size_t got = std::fread(image.bytes.data(), 1, image.bytes.size(), file.get());
  if (std::ferror(file.get())) return {{}, "Cannot read " + path.string() + " whole: " + std::strerror(errno)};
  if (got != image::kSceneSize) {
    const std::string size =
        got > image::kSceneSize ? "more than " + std::to_string(image::kSceneSize) : std::to_string(got);
    return {{},
            path.string() + " is not a scene file: it holds " + size + " bytes, a scene file " +
                std::to_string(image::kSceneSize)};
  }
  image.bytes.resize(got);
  return image;
}

std::string BackupSceneName(const std::tm& t) {
  char text[48];
  std::snprintf(text, sizeof text, "BACKUP %04d-%02d-%02d %02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                t.tm_hour, t.tm_min);
  return text;
}

CSceneStore::CSceneStore(CPresetDatabase& database, const fs::path& dataDir)
    : m_table(database), m_dir(fs::absolute(dataDir).lexically_normal()) {}

SceneSaved CSceneStore::Save(const CDeviceState& state, std::string_view name) {
  return SaveImage(image::EncodeScene(state), name);
}

SceneSaved CSceneStore::SaveBackup(const CDeviceState& state, const std::tm& localTime) {
  return Save(state, BackupSceneName(localTime));
}

SaveBackupFn BackupInto(CSceneStore& store, const CDeviceState& state) {
  return [&store, &state](const std::string& name) {
    const SceneSaved saved = store.Save(state, name);
    if (saved.Ok()) return BackupResult{BackupStatus::Saved, static_cast<int>(saved.row.id), saved.row.name, {}};
    if (saved.full) return BackupResult{BackupStatus::NoFreeId, 0, {}, {}};
    return BackupResult{BackupStatus::Failed, 0, {}, saved.error};
  };
}

SceneSaved CSceneStore::SaveImage(std::span<const std::uint8_t> image, std::string_view name) {
  SceneSaved saved;
  if (image.size() != image::kSceneSize) {
    saved.error = "Cannot save the scene: it holds " + std::to_string(image.size()) + " bytes, a scene " +
                  std::to_string(image::kSceneSize);
    return saved;
  }
  // The bytes reach the disk before the row exists; the row and the rename stand or fall together.
  const auto temporary = WriteTemporaryBeside((m_dir / "SAVE.dat").string(), ImageText(image));
  if (!temporary) {
    saved.error = "Cannot save the scene: cannot write a file in " + m_dir.string() + ": " + std::strerror(errno);
    return saved;
  }
  std::string placedAt;
  auto added = m_table.Add(
      name, [this](std::int64_t id) { return (m_dir / SceneFileName(id)).string(); },
      [&](const SceneRow& row) -> std::string {
        if (std::rename(temporary->c_str(), row.fileName.c_str()) != 0)
          return "cannot rename the file to " + row.fileName + ": " + std::strerror(errno);
        placedAt = row.fileName;
        return {};
      });
  if (added.Ok() && added.value) {
    saved.row = *added.value;
    return saved;
  }
  // Nothing of the save stays: neither the temporary file nor a file the failed commit left.
  std::error_code ignored;
  fs::remove(placedAt.empty() ? *temporary : placedAt, ignored);
  saved.error = added.error;
  saved.full = added.Ok();
  return saved;
}

SceneImage CSceneStore::Read(std::int64_t id) {
  const auto found = m_table.Find(id);
  if (!found.Ok()) return {{}, found.error};
  if (!found.value) return {{}, "There is no scene " + std::to_string(id)};
  return ReadSceneFile(found.value->fileName);
}

bool CSceneStore::OwnsFile(const fs::path& file) const {
  if (!file.is_absolute() || !IsSceneFileName(file.filename().string())) return false;
  std::error_code ec;
  const fs::path parent = fs::weakly_canonical(file.parent_path(), ec);
  if (ec) return false;
  const fs::path dir = fs::weakly_canonical(m_dir, ec);
  return !ec && parent == dir;
}

SceneDeleted CSceneStore::Delete(std::int64_t id) {
  SceneDeleted deleted;
  const auto found = m_table.Find(id);
  if (!found.Ok()) return {found.error, {}, {}};
  if (!found.value) return {"There is no scene " + std::to_string(id), {}, {}};
  const fs::path file = found.value->fileName;
  std::error_code ec;
  if (!OwnsFile(file)) {
    deleted.note = file.string() + " is not a scene file of " + m_dir.string() + ": it stays where it is";
  } else if (fs::exists(fs::symlink_status(file, ec))) {
    TrashResult trash = MoveToTrash(file);
    if (!trash.Ok()) return {trash.error, {}, {}};
    deleted.trashed = trash.trashed;
  }
  if (std::string error = m_table.Delete(id); !error.empty()) {
    deleted.error = error;
    if (!deleted.trashed.empty()) deleted.note = "its file is in the trash: " + deleted.trashed.string();
  }
  return deleted;
}

}  // namespace orvx
