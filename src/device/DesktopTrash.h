#pragma once
/// Moves a file to the desktop trash of the user (the freedesktop.org trash in
/// $XDG_DATA_HOME/Trash, ~/.local/share/Trash without it), where the file manager can restore it:
/// the file goes to Trash/files under a name of its own and Trash/info gets its .trashinfo
/// (original path and deletion time).

#include <filesystem>
#include <string>

namespace orvx {

struct TrashResult {
  std::string error;              ///< empty when the file is in the trash
  std::filesystem::path trashed;  ///< where it went (Trash/files/NAME)
  bool Ok() const { return error.empty(); }
};

/// The trash directory of the user.
std::filesystem::path HomeTrashDirectory();

/// Moves `file` (an absolute path) to the trash. On failure the file stays where it was and no
/// .trashinfo is left behind.
TrashResult MoveToTrash(const std::filesystem::path& file);

}  // namespace orvx
