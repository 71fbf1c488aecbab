#include "pages/PresetDropDown.h"

#include <QCursor>

#include "core/TextCodec.h"
#include "dsp/PresetDatabase.h"
#include "pages/CaptionText.h"
#include "pages/NameDlg.h"
#include "pages/PageMessages.h"
#include "session/DspActions.h"
#include "session/PresetList.h"
#include "ui/MenuEx.h"
#include "ui/SkinComboBox.h"

namespace orvx {
namespace {

constexpr Caption kNameItem{"NAME", "名称"};
constexpr Caption kRecallItem{"RECALL", "调用"};
constexpr Caption kDeleteItem{"DELETE", "删除"};
constexpr Caption kSaveMenu{"SAVE", "保存"};
constexpr int kNameCommand = 1;
constexpr int kRecallCommand = 2;
constexpr int kDeleteCommand = 3;

}  // namespace

CPresetDropDown::CPresetDropDown(IShellSession& session, PresetKind kind, QWidget* parent)
    : QWidget(parent), m_session(session), m_kind(kind) {
  m_list = new CSkinComboBox(this);
  m_list->CreateDropList(static_cast<int>(kind));
  m_list->setObjectName(QStringLiteral("PresetList"));
  connect(m_list, &CSkinComboBox::DropdownSelected, this, [this](int, int row) { OnRow(row); });
  ShowRows();
}

CPresetDropDown::~CPresetDropDown() = default;

void CPresetDropDown::resizeEvent(QResizeEvent*) { m_list->setGeometry(rect()); }

void CPresetDropDown::Refill() {
  CPresetDatabase* db = m_session.Presets();
  if (db && !m_presets) m_presets = std::make_unique<CPresetList>(*db, m_kind);
  if (m_presets) Say(m_presets->Refill());
  ShowRows();
}

void CPresetDropDown::ShowRows() {
  m_list->ResetContent();
  if (!m_presets) {
    m_list->AddString(QString::fromLatin1(CPresetList::kSaveRow));
    m_list->SetCurSel(0);
    return;
  }
  for (const std::string& row : m_presets->Rows()) m_list->AddString(QString::fromStdString(GbkToUtf8(row)));
  m_list->SetCurSel(m_presets->Selected());
}

void CPresetDropDown::Say(const std::optional<BilingualText>& message) {
  if (message) ShowNotice(this, QString::fromStdString(message->In(m_session.State().language)), {}, QMessageBox::Warning);
}

void CPresetDropDown::OnRow(int row) {
  switch (CPresetList::ActionOf(row)) {
    case PresetRowAction::None: return;
    case PresetRowAction::Save: SaveRow(); return;
    case PresetRowAction::Menu: break;
  }
  const Language language = m_session.State().language;
  const QList<CMenuEx::Item> items{CMenuEx::Item::Popup(
      CaptionText(kSaveMenu, language), {CMenuEx::Item::Command(CaptionText(kNameItem, language), kNameCommand),
                                         CMenuEx::Item::Command(CaptionText(kRecallItem, language), kRecallCommand),
                                         CMenuEx::Item::Command(CaptionText(kDeleteItem, language), kDeleteCommand)})};
  switch (CMenuEx::Exec(items, QCursor::pos(), this)) {
    case kNameCommand: {
      const QString current = QString::fromStdString(GbkToUtf8(m_presets->NameOf(row)));
      CNameDlg dlg(current, {ParamId::InName, m_record, 0}, language, this);
      dlg.setWindowTitle(CaptionText(kNameItem, language));
      if (dlg.exec() == QDialog::Accepted) RenameRow(row, dlg.Name());
      break;
    }
    case kRecallCommand: RecallRow(row); break;
    case kDeleteCommand: DeleteRow(row); break;
    default: break;
  }
  ShowRows();
}

void CPresetDropDown::SaveRow() {
  if (!m_presets) {
    const std::string why = m_session.PresetsError();
    ShowNotice(this, QString::fromStdString(why.empty() ? "The preset library is not open." : why), {},
               QMessageBox::Warning);
    return;
  }
  Say(m_presets->Save(m_session.State(), m_record));
  ShowRows();
}

void CPresetDropDown::RenameRow(int row, const QString& name) {
  if (!m_presets) return;
  Say(m_presets->Rename(row, Utf8ToGbk(name.toStdString())));
  ShowRows();
}

void CPresetDropDown::RecallRow(int row) {
  if (!m_presets) return;
  auto recalled = m_presets->Recall(row, m_session.State(), m_record);
  if (const auto* message = std::get_if<BilingualText>(&recalled)) {
    Say(*message);
    return;
  }
  auto& request = std::get<ChangeRequest>(recalled);
  emit Recalled(m_record);  // before the writes: a bypass backup must not outlive the old values
  const ChangeResult result = RunDspAction(m_session.Changes(), PresetRecall(m_kind, std::move(request.writes), m_record));
  if (result == ChangeResult::Busy) {
    if (const Caption* why = m_session.Changes().LastRefusal()) ShowNotice(this, CaptionText(*why, m_session.State().language));
  }
}

void CPresetDropDown::DeleteRow(int row) {
  if (!m_presets) return;
  Say(m_presets->Delete(row));
  ShowRows();
}

}  // namespace orvx
