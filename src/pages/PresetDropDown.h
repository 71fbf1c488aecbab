#pragma once
/// The preset drop-down of a DSP editor: row 0 "SAVE PRESET" saves the record's values, a stored
/// preset's row opens NAME, RECALL and DELETE. The list and its rules live in CPresetList; a recall
/// goes through the change path with its kind's frames (see DspActions).

#include <QWidget>
#include <memory>

#include "dsp/PresetKind.h"
#include "session/ShellSession.h"

namespace orvx {

class CPresetList;
class CSkinComboBox;

class CPresetDropDown : public QWidget {
  Q_OBJECT
public:
  CPresetDropDown(IShellSession& session, PresetKind kind, QWidget* parent = nullptr);
  ~CPresetDropDown() override;

  /// The record whose values a save stores and a recall loads.
  void SetRecord(int record) { m_record = record; }
  /// The editor was shown: the rows are read from the library again and row 0 is selected.
  void Refill();
  CSkinComboBox* List() const { return m_list; }

  /// The operator's commands on a stored row (the menu's items), also for tests.
  void SaveRow();
  void RenameRow(int row, const QString& name);
  void RecallRow(int row);
  void DeleteRow(int row);

signals:
  /// A preset was loaded into the record (the editor drops what it kept of the old values).
  void Recalled(int record);

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void OnRow(int row);
  void ShowRows();
  /// A message of the library, if any, in the window's language.
  void Say(const std::optional<BilingualText>& message);

  IShellSession& m_session;
  PresetKind m_kind;
  int m_record = 0;
  CSkinComboBox* m_list = nullptr;
  std::unique_ptr<CPresetList> m_presets;
};

}  // namespace orvx
