#pragma once
/// One preset drop-down of a DSP editor and the five operations behind it: list, save, rename,
/// recall and delete, on the table of its kind.
///
/// Row 0 is always "SAVE PRESET"; every further row is a stored preset, "ID:NAME", in ascending ID
/// order. Choosing row 0 saves; choosing a preset row opens the menu of NAME, RECALL and DELETE.
/// A failure is a message for the operator; the rows then show what the table holds.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/DeviceState.h"
#include "device/SearchMissText.h"
#include "dsp/PresetDatabase.h"
#include "dsp/PresetKind.h"
#include "session/ChangePath.h"

namespace orvx {

/// What choosing a row of a preset drop-down does.
enum class PresetRowAction : std::uint8_t {
  Save,  ///< row 0
  Menu,  ///< a stored preset: NAME, RECALL, DELETE
  None,  ///< nothing chosen
};

/// A message for the operator (empty: nothing to say).
using PresetMessage = std::optional<BilingualText>;

class CPresetList {
public:
  static constexpr const char* kSaveRow = "SAVE PRESET";

  CPresetList(CPresetDatabase& database, PresetKind kind);

  PresetKind Kind() const { return m_kind; }
  const std::vector<std::string>& Rows() const { return m_rows; }
  /// The selected row, -1 when none is.
  int Selected() const { return m_selected; }
  static PresetRowAction ActionOf(int row);

  /// The editor was shown: the rows are read from the table again and row 0 is selected.
  PresetMessage Refill();
  /// Row 0 chosen: the record's values become a new preset "SAVE<ID>" whose row is added at the
  /// end once it is stored (the table is not read again; the selection stays).
  PresetMessage Save(const CDeviceState& state, int record);
  /// The name the name dialog opens with (empty for row 0 or no row).
  std::string NameOf(int row) const;
  /// NAME: a new name for the row's preset, under the rule of channel names (at most 8 bytes in
  /// the processor's code page, not empty). A refused name changes nothing; otherwise the rows are
  /// read again and none is selected.
  PresetMessage Rename(int row, std::string_view name);
  /// RECALL: the changes that load the row's preset into the record (origin Menu), each value
  /// clamped to its range. A preset that no longer exists gives no changes; a stored block that is
  /// damaged is refused with a message and changes nothing.
  std::variant<ChangeRequest, BilingualText> Recall(int row, const CDeviceState& state, int record);
  /// DELETE: the row's preset is deleted, the rows are read again and row 0 is selected.
  PresetMessage Delete(int row);

private:
  /// The preset of a row, or nullptr for row 0 and rows that do not exist.
  const PresetEntry* EntryOf(int row) const;
  /// Reads the rows again; the selection is left to the caller.
  PresetMessage Reread();
  void SetEntries(std::vector<PresetEntry> entries);

  CPresetDatabase& m_database;
  PresetKind m_kind;
  std::vector<PresetEntry> m_entries;  ///< row r > 0 is m_entries[r - 1]
  std::vector<std::string> m_rows{kSaveRow};
  int m_selected = 0;
};

/// Why a preset may not take `name` (the rule of a channel's name: not empty, at most 8 bytes in
/// the processor's code page), in the system's words; nullopt when it may.
PresetMessage PresetNameRefusal(std::string_view name);

/// The text of a preset's row: its ID, a colon and its name ("3:SAVE3").
std::string PresetRowText(const PresetEntry& entry);

/// The changes that load preset `id` of `kind` into the editor's `record` (origin Menu), each value
/// clamped to its range: no changes when no preset has the ID or the kind does not edit the record;
/// a message when the library fails or the stored block is damaged (then nothing changes).
std::variant<ChangeRequest, BilingualText> PresetRecallChange(CPresetDatabase& database, PresetKind kind,
                                                              std::int64_t id, const CDeviceState& state, int record);

}  // namespace orvx
