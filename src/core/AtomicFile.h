#pragma once
/// Whole-file reads and writes for the editor's own small files in the data directory.

#include <optional>
#include <string>
#include <string_view>

namespace orvx {

/// Writes `text` to `path` whole or not at all: a new temporary file beside it (its own name, so
/// two writers never share one), flushed to the disk, then renamed over `path`. On failure the
/// old file stands and no temporary file is left.
bool WriteFileAtomically(const std::string& path, const std::string& text);

/// The first step of the same write, for a caller that has more to do before the rename: `text` in
/// a new temporary file beside `path`, flushed to the disk. Returns the temporary file's path, or
/// nullopt (and nothing left behind) when it cannot be written.
std::optional<std::string> WriteTemporaryBeside(const std::string& path, const std::string& text);

/// Writes all of `text` to an open descriptor (a short write or a signal does not cut it).
bool WriteAllTo(int fd, std::string_view text);

/// The file's bytes; nullopt when it cannot be opened.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace orvx
