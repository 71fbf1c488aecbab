#pragma once
/// Whole-file reads and writes for the editor's own small files in the data directory.

#include <optional>
#include <string>

namespace orvx {

/// Writes `text` to `path` whole or not at all: a new temporary file beside it (its own name, so
/// two writers never share one), flushed to the disk, then renamed over `path`. On failure the
/// old file stands and no temporary file is left.
bool WriteFileAtomically(const std::string& path, const std::string& text);

/// The file's bytes; nullopt when it cannot be opened.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace orvx
