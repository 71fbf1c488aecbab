#include "session/PresetList.h"

#include "dsp/PresetCodec.h"
#include "session/ParamTable.h"
#include "session/PresetValues.h"
#include "session/TypedValue.h"

namespace orvx {
namespace {

constexpr Caption kNotRead{"The presets could not be read.", "无法读取预设。"};
constexpr Caption kNotSaved{"The preset was not saved.", "预设未保存。"};
constexpr Caption kNotRenamed{"The preset was not renamed.", "预设未重命名。"};
constexpr Caption kNotRecalled{"The preset was not recalled.", "预设未调用。"};
constexpr Caption kDamaged{"The stored values of this preset are damaged: nothing was changed.",
                           "此预设保存的数值已损坏，未作任何更改。"};
constexpr Caption kNotDeleted{"The preset was not deleted.", "预设未删除。"};

/// The system's words, then the database's own description of what went wrong.
BilingualText Failure(const Caption& caption, const std::string& detail) {
  const std::string tail = detail.empty() ? std::string() : "\n" + detail;
  return {caption.en + tail, caption.zh + tail};
}

PresetMessage FailureIf(const Caption& caption, const std::string& error) {
  if (error.empty()) return std::nullopt;
  return Failure(caption, error);
}

}  // namespace

PresetMessage PresetNameRefusal(std::string_view name) {
  // A preset's name follows the rule of a channel's name, and is refused in the same words.
  const TypedResult checked = ParseTypedValue(ParamAddr{ParamId::InName, 0, 0}, name);
  if (const auto* refusal = std::get_if<TypedRefusal>(&checked)) return BilingualText{refusal->en, refusal->zh};
  return std::nullopt;
}

std::string PresetRowText(const PresetEntry& entry) { return std::to_string(entry.id) + ":" + entry.name; }

CPresetList::CPresetList(CPresetDatabase& database, PresetKind kind) : m_database(database), m_kind(kind) {}

PresetRowAction CPresetList::ActionOf(int row) {
  if (row == 0) return PresetRowAction::Save;
  return row > 0 ? PresetRowAction::Menu : PresetRowAction::None;
}

const PresetEntry* CPresetList::EntryOf(int row) const {
  if (row < 1 || row > static_cast<int>(m_entries.size())) return nullptr;
  return &m_entries[static_cast<std::size_t>(row - 1)];
}

void CPresetList::SetEntries(std::vector<PresetEntry> entries) {
  m_entries = std::move(entries);
  m_rows.assign(1, kSaveRow);
  for (const PresetEntry& e : m_entries) m_rows.push_back(PresetRowText(e));
}

PresetMessage CPresetList::Reread() {
  auto listed = m_database.List(m_kind);
  SetEntries(std::move(listed.value));  // after a failure: "SAVE PRESET" alone
  return FailureIf(kNotRead, listed.error);
}

PresetMessage CPresetList::Refill() {
  PresetMessage message = Reread();
  m_selected = 0;
  return message;
}

PresetMessage CPresetList::Save(const CDeviceState& state, int record) {
  const std::string block = PresetBlockOf(m_kind, state, record);
  if (block.empty()) return Failure(kNotSaved, {});
  auto saved = m_database.Save(m_kind, block);
  if (!saved.Ok()) return Failure(kNotSaved, saved.error);
  m_entries.push_back(saved.value);
  m_rows.push_back(PresetRowText(saved.value));
  return std::nullopt;
}

std::string CPresetList::NameOf(int row) const {
  const PresetEntry* entry = EntryOf(row);
  return entry != nullptr ? entry->name : std::string();
}

PresetMessage CPresetList::Rename(int row, std::string_view name) {
  const PresetEntry* entry = EntryOf(row);
  if (entry == nullptr) return std::nullopt;
  if (PresetMessage refusal = PresetNameRefusal(name)) return refusal;
  const std::string error = m_database.Rename(m_kind, entry->id, name);
  // The rows show what the table holds, whether or not the rename went through.
  PresetMessage reread = Reread();
  m_selected = -1;
  return error.empty() ? reread : Failure(kNotRenamed, error);
}

std::variant<ChangeRequest, BilingualText> PresetRecallChange(CPresetDatabase& database, PresetKind kind,
                                                              std::int64_t id, const CDeviceState& state, int record) {
  ChangeRequest request;
  request.origin = ChangeOrigin::Menu;
  if (PresetRecordOf(kind, record) < 0) return request;
  auto loaded = database.Load(kind, id);
  if (!loaded.Ok()) return Failure(kNotRecalled, loaded.error);
  if (!loaded.value) return request;  // deleted meanwhile: nothing to recall
  auto writes = PresetWritesOf(kind, *loaded.value, state, record);
  if (!writes) return Failure(kDamaged, {});
  request.writes = std::move(*writes);
  return request;
}

std::variant<ChangeRequest, BilingualText> CPresetList::Recall(int row, const CDeviceState& state, int record) {
  const PresetEntry* entry = EntryOf(row);
  if (entry == nullptr) return ChangeRequest{{}, ChangeOrigin::Menu, 0};
  return PresetRecallChange(m_database, m_kind, entry->id, state, record);
}

PresetMessage CPresetList::Delete(int row) {
  const PresetEntry* entry = EntryOf(row);
  if (entry == nullptr) return std::nullopt;
  const std::string error = m_database.Delete(m_kind, entry->id);
  PresetMessage reread = Refill();
  return error.empty() ? reread : Failure(kNotDeleted, error);
}

}  // namespace orvx
