#include "pages/DspEditorPage.h"

#include <algorithm>

#include "pages/CaptionText.h"
#include "pages/PageMessages.h"
#include "pages/PresetDropDown.h"
#include "pages/ShellButtons.h"
#include "ui/SkinComboBox.h"
#include "ui/SkinKnob.h"
#include "ui/ValueLabel.h"

namespace orvx {

CDspEditorPage::CDspEditorPage(IShellSession& session, const Caption& title, QWidget* parent)
    : CTitledPage(title, parent), m_session(session) {}

CDspEditorPage::KnobCell& CDspEditorPage::AddKnob(ParamAddr addr, const Caption& caption, PositionMap map, int posMin,
                                                  int posMax) {
  KnobCell cell;
  cell.addr = addr;
  cell.title = caption;
  cell.caption = AddCaption(caption);
  cell.knob = new CSkinKnob(this, static_cast<int>(m_knobs.size()));
  cell.knob->setObjectName(QString::fromLatin1(Param(addr.id).name) + QStringLiteral("#%1").arg(addr.index));
  const ParamDef& d = Param(addr.id);
  if (posMax < posMin) {
    posMin = d.rawMin;
    posMax = d.rawMax;
  }
  cell.knob->SetRange(posMin, posMax);
  cell.knob->SetSteps(std::max<int>(1, WireStep(addr.id)), std::max(1, (posMax - posMin) / 20));
  cell.value = new CValueLabel(this);
  cell.value->SetAlignment(1);
  cell.value->SetFontSize(9);
  Bindings().Add(BindKnob(cell.knob, m_session, addr, map));
  m_knobs.push_back(cell);
  return m_knobs.back();
}

PngButton* CDspEditorPage::AddToggle(ParamAddr addr, const Caption& caption) {
  PngButton* b = MakeShellButton(CaptionText(caption, Language::English), ButtonLook::Toggle, this);
  b->setObjectName(QString::fromLatin1(Param(addr.id).name));
  Bindings().Add(BindToggle(b, m_session, addr));
  m_keys.push_back({b, caption});
  return b;
}

PngButton* CDspEditorPage::AddKey(const Caption& caption, const QString& objectName, std::function<void()> onClick,
                                  bool lights) {
  PngButton* b =
      MakeShellButton(CaptionText(caption, Language::English), lights ? ButtonLook::Toggle : ButtonLook::Key, this);
  b->setObjectName(objectName);
  connect(b, &QAbstractButton::clicked, this, [onClick = std::move(onClick)] { onClick(); });
  m_keys.push_back({b, caption});
  return b;
}

CSkinComboBox* CDspEditorPage::AddList(ParamAddr addr) {
  auto* list = new CSkinComboBox(this);
  list->CreateDropList(static_cast<int>(addr.id));
  list->setObjectName(QString::fromLatin1(Param(addr.id).name));
  for (const Caption& item : Param(addr.id).display.items) list->AddString(CaptionText(item, Language::English));
  Bindings().Add(BindList(list, m_session, addr));
  return list;
}

CPresetDropDown* CDspEditorPage::AddPresets(PresetKind kind) {
  auto* presets = new CPresetDropDown(m_session, kind, this);
  presets->setObjectName(QStringLiteral("Presets%1").arg(QString::fromLatin1(TableOf(kind).table)));
  m_presets.push_back(presets);
  return presets;
}

CValueLabel* CDspEditorPage::AddCaption(const Caption& caption, int alignment) {
  auto* label = new CValueLabel(this);
  label->SetAlignment(alignment);
  label->SetFontSize(9);
  label->SetText(CaptionText(caption, Language::English));
  m_captions.push_back({label, caption});
  return label;
}

CSkinKnob* CDspEditorPage::KnobOf(ParamId id, int index) const {
  for (const KnobCell& c : m_knobs)
    if (c.addr.id == id && c.addr.index == index) return c.knob;
  return nullptr;
}

PngButton* CDspEditorPage::KeyNamed(const QString& objectName) const {
  for (const auto& [key, caption] : m_keys)
    if (key->objectName() == objectName) return key;
  return nullptr;
}

void CDspEditorPage::ApplyLanguage(Language language) {
  CTitledPage::ApplyLanguage(language);
  for (const auto& [label, caption] : m_captions) label->SetText(CaptionText(caption, language));
  for (const auto& [key, caption] : m_keys) key->setText(CaptionText(caption, language));
  ShowValues();
}

void CDspEditorPage::OpenFor(int record) {
  if (!m_keepRecords) {
    for (KnobCell& c : m_knobs) c.addr.record = record;
    for (CPresetDropDown* p : m_presets) p->SetRecord(record);
    CTitledPage::OpenFor(record);
    return;
  }
  Refresh();
}

void CDspEditorPage::OnShown() {
  for (CPresetDropDown* p : m_presets) p->Refill();
}

void CDspEditorPage::Refresh(std::uint32_t bits) {
  CTitledPage::Refresh(bits);
  ShowValues();
  OnRefresh(bits);
}

void CDspEditorPage::ShowValues() {
  const CDeviceState& s = m_session.State();
  for (const KnobCell& c : m_knobs)
    c.value->SetText(QString::fromStdString(FormatParam(c.addr, ReadParam(s, c.addr), s.language)));
}

void CDspEditorPage::Run(const DspAction& action) {
  if (RunDspAction(m_session.Changes(), action) != ChangeResult::Busy) return;
  if (const Caption* why = m_session.Changes().LastRefusal())
    ShowNotice(this, CaptionText(*why, m_session.State().language), {}, QMessageBox::Warning);
}

void CDspEditorPage::PlaceKnob(const KnobCell& cell, const QRect& area) {
  // Caption, knob and value as one block, centred in the area.
  constexpr int kLargestKnob = 84;
  const int text = std::clamp(area.height() / 6, 14, 20);
  const int side = std::clamp(std::min(area.width() - 8, area.height() - 2 * text - 4), 16, kLargestKnob);
  const int top = area.y() + std::max(0, (area.height() - (side + 2 * text + 4)) / 2);
  cell.caption->setGeometry(area.x(), top, area.width(), text);
  cell.knob->setGeometry(area.x() + (area.width() - side) / 2, top + text + 2, side, side);
  cell.value->setGeometry(area.x(), top + text + side + 4, area.width(), text);
}

}  // namespace orvx
