#include "device/DesktopTrash.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "core/AtomicFile.h"
#include "core/XdgPaths.h"

namespace orvx {
namespace {

namespace fs = std::filesystem;

/// The original path as the .trashinfo holds it: every byte but unreserved ones and "/" escaped.
std::string EscapedPath(const std::string& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : path) {
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    const bool plain = alnum || c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
    if (plain) {
      out.push_back(static_cast<char>(c));
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    }
  }
  return out;
}

std::string LocalTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return text;
}

/// "SAVE3.dat", then "SAVE3.2.dat", "SAVE3.3.dat", ...
std::string Candidate(const fs::path& name, int n) {
  if (n == 1) return name.string();
  return name.stem().string() + "." + std::to_string(n) + name.extension().string();
}

/// Moves the file, or copies and removes it when the trash is on another file system.
std::string MoveFile(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  if (!ec) return {};
  if (ec != std::errc::cross_device_link) return ec.message();
  if (!fs::copy_file(from, to, ec) || !fs::remove(from, ec)) {
    std::error_code ignored;
    fs::remove(to, ignored);
    return ec ? ec.message() : "cannot move the file";
  }
  return {};
}

}  // namespace

fs::path HomeTrashDirectory() { return fs::path(XdgDirectory("XDG_DATA_HOME", ".local/share")) / "Trash"; }

TrashResult MoveToTrash(const fs::path& file) {
  const std::string what = "Cannot move " + file.string() + " to the trash: ";
  std::error_code ec;
  if (!file.is_absolute() || !fs::is_regular_file(fs::symlink_status(file, ec))) return {what + "not a file", {}};
  const fs::path trash = HomeTrashDirectory();
  fs::create_directories(trash / "files", ec);
  if (!ec) fs::create_directories(trash / "info", ec);
  if (ec) return {what + ec.message(), {}};
  // The .trashinfo is created exclusively first: it reserves the name against another program.
  for (int n = 1; n < 1000; ++n) {
    const std::string name = Candidate(file.filename(), n);
    const fs::path info = trash / "info" / (name + ".trashinfo");
    const int fd = ::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return {what + std::strerror(errno), {}};
    }
    const fs::path target = trash / "files" / name;
    if (fs::exists(fs::symlink_status(target, ec))) {
      // A file left in the trash without its information keeps its name.
      ::close(fd);
      fs::remove(info, ec);
      continue;
    }
    const std::string text =
        "[Trash Info]\nPath=" + EscapedPath(file.string()) + "\nDeletionDate=" + LocalTimeNow() + "\n";
    const bool written = WriteAllTo(fd, text);
    const bool closed = ::close(fd) == 0;
    const std::string moved = written && closed ? MoveFile(file, target) : "cannot write " + info.string();
    if (moved.empty()) return {{}, target};
    fs::remove(info, ec);
    return {what + moved, {}};
  }
  return {what + "no free name in the trash", {}};
}

}  // namespace orvx
