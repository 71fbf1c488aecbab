#pragma once
/// Scenes as JSON documents, for scripts and people: every value of the parameter table by its
/// name, record and index (counted from 1), in the operator's units and raw. A name's raw value is
/// its 16-byte field in hex. Whatever else the scene image holds (words no parameter names) is kept
/// as offset and word, so a scene file exported and imported again is the same file, byte for byte.
///
///   {"format": "orvx-scene", "version": 1, "id": 3, "name": "Morning",
///    "values": [{"param": "in.level", "record": 3, "value": "-6dB", "raw": 54}, ...],
///    "kept": [{"at": 18172, "word": 12851}, ...]}
///
/// Import refuses, naming the entry: an unknown parameter, a record or index outside the table, a
/// value outside its range, a value and raw that disagree, a value given twice. A value a document
/// leaves out takes its start-up default (moved into its range). The scene's number is written for people to read and
/// never taken back: an imported scene is numbered as a new one.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvx {

inline constexpr const char* kSceneJsonFormat = "orvx-scene";
inline constexpr int kSceneJsonVersion = 1;

/// The document of a scene image (of the scene size) named `name`, indented for reading; `id` 0
/// writes no number (a scene file that is no stored scene).
std::string SceneImageToJson(std::span<const std::uint8_t> image, std::string_view name, std::int64_t id = 0);

struct SceneFromJson {
  std::vector<std::uint8_t> image;  ///< a complete scene image
  std::string name;                 ///< the document's name (may be empty)
  std::string error;                ///< why the document was refused; nothing else is set then
  bool Ok() const { return error.empty(); }
};

/// Reads a document back into a scene image.
SceneFromJson SceneImageFromJson(std::string_view text);

}  // namespace orvx
