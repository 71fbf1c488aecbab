#include "session/SceneJson.h"

#include <nlohmann/json.hpp>

#include <cstring>
#include <set>
#include <tuple>

#include "core/HexText.h"
#include "core/StateImage.h"
#include "core/TextCodec.h"
#include "session/ParamTable.h"
#include "session/ReceivedValues.h"
#include "session/TypedValue.h"

namespace orvx {
namespace {

using Json = nlohmann::ordered_json;
using Image = std::vector<std::uint8_t>;

constexpr std::size_t kWord = 4;

/// What a document leaves out: the start-up values (names in English), each inside its range (the
/// automatic mixer starts at 0, which some of its ranges do not hold).
const CDeviceState& BaseState() {
  static const CDeviceState base = [] {
    CDeviceState s;
    s.ResetToDefaults();
    ClampToTable(s);
    return s;
  }();
  return base;
}

std::uint32_t WordAt(const Image& img, std::size_t at) {
  std::uint32_t w;
  std::memcpy(&w, img.data() + at, kWord);
  return w;
}

void PutWordAt(Image& img, std::size_t at, std::uint32_t w) { std::memcpy(img.data() + at, &w, kWord); }

std::string NameHex(const Name& field) {
  std::string hex;
  for (char c : field) hex += HexField(static_cast<unsigned char>(c), 2);
  return hex;
}

std::optional<Name> NameFromHex(std::string_view hex) {
  Name field{};
  if (hex.size() != 2 * field.size()) return std::nullopt;
  for (std::size_t i = 0; i < field.size(); ++i) {
    const auto byte = ReadHex(hex.substr(2 * i, 2), 2);
    if (!byte) return std::nullopt;
    field[i] = static_cast<char>(*byte);
  }
  field.back() = '\0';
  return field;
}

bool IsText(const ParamDef& d) { return d.display.kind == DisplayKind::Text; }

/// "in.peq.gain record 3 index 2": the entry as the document addresses it.
std::string Label(const ParamDef& d, const ParamAddr& a) {
  std::string label = d.name;
  if (d.scope != ParamScope::Device) label += " record " + std::to_string(a.record + 1);
  if (d.indices > 0) label += " index " + std::to_string(a.index + 1);
  return label;
}

/// Reads "record" or "index" (counted from 1) into `into`; absent is allowed only when not needed.
std::optional<std::string> ReadCount(const Json& entry, const char* key, bool needed, int count, int& into) {
  if (!entry.contains(key)) {
    if (needed) return std::string("needs \"") + key + "\" (1.." + std::to_string(count) + ")";
    return std::nullopt;
  }
  const Json& v = entry[key];
  if (!needed) return std::string("has no \"") + key + "\"";
  if (!v.is_number_integer() || v.get<std::int64_t>() < 1 || v.get<std::int64_t>() > count)
    return std::string("\"") + key + "\" must be 1.." + std::to_string(count);
  into = static_cast<int>(v.get<std::int64_t>()) - 1;
  return std::nullopt;
}

/// Writes one entry's name into `s`; the refusal, if any.
std::optional<std::string> ReadName(const Json& entry, const ParamAddr& a, CDeviceState& s) {
  std::optional<Name> field;
  if (entry.contains("raw")) {
    if (!entry["raw"].is_string() || !(field = NameFromHex(entry["raw"].get<std::string>())))
      return std::string("raw must be the name's 16 bytes as 32 hex digits");
  }
  if (entry.contains("value")) {
    if (!entry["value"].is_string()) return std::string("value must be text");
    const std::string utf8 = entry["value"].get<std::string>();
    const std::string gbk = Utf8ToGbk(utf8);
    if (gbk.size() >= sizeof(Name) || (gbk.empty() && !utf8.empty()))
      return "\"" + utf8 + "\" does not fit a name (15 bytes in the processor's code page)";
    if (field && NameBytes(*field) != gbk) return "value \"" + utf8 + "\" and raw disagree";
    if (!field) {
      field.emplace();
      SetNameBytes(*field, gbk);
    }
  }
  if (!field) return std::string("needs \"value\" or \"raw\"");
  *NameFieldOf(s, a) = *field;
  return std::nullopt;
}

/// Writes one entry's number into `s`; the refusal, if any.
std::optional<std::string> ReadNumber(const Json& entry, const ParamDef& d, const ParamAddr& a, CDeviceState& s) {
  const std::int32_t max = RawMaxFor(d, a.record);
  const std::string range = std::to_string(d.rawMin) + ".." + std::to_string(max);
  std::optional<std::int32_t> raw;
  if (entry.contains("raw")) {
    const Json& v = entry["raw"];
    if (!v.is_number_integer()) return std::string("raw must be a whole number (") + range + ")";
    const std::int64_t n = v.get<std::int64_t>();
    if (n < d.rawMin || n > max) return "raw " + std::to_string(n) + " is outside " + range;
    raw = static_cast<std::int32_t>(n);
  }
  if (entry.contains("value")) {
    if (!entry["value"].is_string()) return std::string("value must be text in the operator's units");
    const std::string text = entry["value"].get<std::string>();
    // The value as written for the raw one agrees with it, whatever step typing would round to.
    if (!raw || text != FormatParam(a, {*raw, {}}, Language::English)) {
      const TypedResult typed = ParseTypedValue(a, text);
      if (const auto* refusal = std::get_if<TypedRefusal>(&typed)) return refusal->en;
      const std::int32_t fromText = std::get<ParamValue>(typed).raw;
      if (raw && *raw != fromText) return "value \"" + text + "\" and raw " + std::to_string(*raw) + " disagree";
      raw = fromText;
    }
  }
  if (!raw) return std::string("needs \"value\" or \"raw\"");
  d.set(s, a.record, a.index, *raw);
  return std::nullopt;
}

std::optional<std::string> ReadKept(const Json& kept, Image& img) {
  if (!kept.is_array()) return std::string("\"kept\" must be a list");
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const Json& k = kept[i];
    const std::string where = "kept[" + std::to_string(i) + "]: ";
    if (!k.is_object() || !k.contains("at") || !k.contains("word") || !k["at"].is_number_integer() ||
        !k["word"].is_number_integer())
      return where + "needs \"at\" and \"word\", whole numbers";
    const std::int64_t at = k["at"].get<std::int64_t>();
    const std::int64_t word = k["word"].get<std::int64_t>();
    if (at < 0 || at % static_cast<std::int64_t>(kWord) != 0 || at + kWord > image::kSceneSize)
      return where + "\"at\" must be a multiple of 4 inside the scene";
    if (word < 0 || word > 0xFFFFFFFFll) return where + "\"word\" must be 0..4294967295";
    PutWordAt(img, static_cast<std::size_t>(at), static_cast<std::uint32_t>(word));
  }
  return std::nullopt;
}

}  // namespace

std::string SceneImageToJson(std::span<const std::uint8_t> image, std::string_view name, std::int64_t id) {
  CDeviceState scene = BaseState();
  if (!image::DecodeScene(image, scene)) return {};
  CDeviceState rebuilt = BaseState();
  Json values = Json::array();
  for (const ParamDef& d : AllParams()) {
    for (const ParamAddr& a : AddressesOf(d)) {
      Json entry;
      entry["param"] = d.name;
      if (d.scope != ParamScope::Device) entry["record"] = a.record + 1;
      if (d.indices > 0) entry["index"] = a.index + 1;
      if (IsText(d)) {
        const Name& field = *NameFieldOf(scene, a);
        *NameFieldOf(rebuilt, a) = field;
        // Bytes that are no GBK text have no value to show: the raw field alone carries them.
        const std::string text = GbkToUtf8(NameBytes(field));
        if (Utf8ToGbk(text) == NameBytes(field)) entry["value"] = text;
        entry["raw"] = NameHex(field);
      } else {
        const std::int32_t raw = d.get(scene, a.record, a.index);
        d.set(rebuilt, a.record, a.index, raw);
        entry["value"] = FormatParam(a, {raw, {}}, Language::English);
        entry["raw"] = raw;
      }
      values.push_back(std::move(entry));
    }
  }
  // Every word the values do not give back as the file holds it.
  const Image fromValues = image::EncodeScene(rebuilt);
  const Image original(image.begin(), image.end());
  Json kept = Json::array();
  for (std::size_t at = 0; at < image::kSceneSize; at += kWord) {
    if (WordAt(original, at) != WordAt(fromValues, at)) kept.push_back({{"at", at}, {"word", WordAt(original, at)}});
  }
  Json doc;
  doc["format"] = kSceneJsonFormat;
  doc["version"] = kSceneJsonVersion;
  if (id != 0) doc["id"] = id;
  doc["name"] = std::string(name);
  doc["values"] = std::move(values);
  doc["kept"] = std::move(kept);
  return doc.dump(1, ' ', false, Json::error_handler_t::replace) + "\n";
}

SceneFromJson SceneImageFromJson(std::string_view text) {
  const Json doc = Json::parse(text, nullptr, false);
  if (doc.is_discarded()) return {{}, {}, "not a JSON document"};
  if (!doc.is_object() || !doc.contains("format") || doc["format"] != kSceneJsonFormat)
    return {{}, {}, std::string("not a scene document (\"format\" is not \"") + kSceneJsonFormat + "\")"};
  if (!doc.contains("version") || doc["version"] != kSceneJsonVersion)
    return {
        {},
        {},
        "a scene document of another version (this program reads version " + std::to_string(kSceneJsonVersion) + ")"};
  SceneFromJson out;
  if (doc.contains("name")) {
    if (!doc["name"].is_string()) return {{}, {}, "\"name\" must be text"};
    out.name = doc["name"].get<std::string>();
  }
  // The image a document starts from: the start-up values with the kept words over them.
  Image img = image::EncodeScene(BaseState());
  if (doc.contains("kept")) {
    if (auto refused = ReadKept(doc["kept"], img)) return {{}, {}, *refused};
  }
  CDeviceState before = BaseState();
  image::DecodeScene(img, before);
  CDeviceState after = before;
  if (!doc.contains("values") || !doc["values"].is_array()) return {{}, {}, "\"values\" must be a list"};
  const Json& values = doc["values"];
  std::set<std::tuple<int, int, int>> seen;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const Json& entry = values[i];
    const std::string where = "values[" + std::to_string(i) + "]";
    if (!entry.is_object() || !entry.contains("param") || !entry["param"].is_string())
      return {{}, {}, where + ": needs \"param\", a parameter name"};
    const std::string name = entry["param"].get<std::string>();
    const ParamDef* d = FindParam(name);
    if (!d) return {{}, {}, where + ": unknown parameter \"" + name + "\""};
    ParamAddr a{d->id, 0, 0};
    for (auto [key, needed, count, into] :
         {std::tuple<const char*, bool, int, int*>{"record", d->scope != ParamScope::Device, d->records, &a.record},
          {"index", d->indices > 0, d->indices, &a.index}}) {
      if (auto refused = ReadCount(entry, key, needed, count, *into))
        return {{}, {}, where + " " + name + ": " + *refused};
    }
    const std::string label = where + " " + Label(*d, a);
    if (!seen.insert({static_cast<int>(a.id), a.record, a.index}).second) return {{}, {}, label + ": given twice"};
    const auto refused = IsText(*d) ? ReadName(entry, a, after) : ReadNumber(entry, *d, a, after);
    if (refused) return {{}, {}, label + ": " + *refused};
  }
  // The values change only the words they hold; every other word stays as the document kept it.
  const Image was = image::EncodeScene(before);
  const Image now = image::EncodeScene(after);
  for (std::size_t at = 0; at < image::kSceneSize; at += kWord) {
    if (WordAt(was, at) != WordAt(now, at)) PutWordAt(img, at, WordAt(now, at));
  }
  out.image = std::move(img);
  return out;
}

}  // namespace orvx
