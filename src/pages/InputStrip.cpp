#include "pages/InputStrip.h"

#include "ui/SkinTheme.h"

#include "dsp/EqResponse.h"
#include "link/ReportParser.h"
#include "pages/CaptionText.h"
#include "pages/EqMiniature.h"
#include "pages/PageMessages.h"
#include "pages/ShellButtons.h"
#include "session/ParamCaptions.h"
#include "ui/SkinComboBox.h"
#include "ui/ValueLabel.h"

namespace orvx {

namespace {
constexpr Caption kSignal{"SIGNAL", "信号源"};
constexpr Caption kComp{"COMP", "压缩器"};
constexpr Caption kEffect{"EFFECT", "效果器"};
constexpr Caption kPriority{"PRIORITY", "优先"};
constexpr Caption kPhantom{"48V", "48V"};
constexpr Caption kSendsItem{"SENDS", "通道发送"};
constexpr Caption kPhantomItem{"PHANTOM", "幻象电源"};
constexpr int kSendsCommand = 2;
constexpr int kPhantomCommand = 3;
constexpr int kSourceListId = 1;
constexpr int kPreampListId = 2;
constexpr int kButtonHeight = 26;
constexpr int kSideMargin = 12;

/// The source list: a choice the change path refuses (a Dante source another input holds) puts
/// the stored entry back and tells the strip why.
class CSourceBinding final : public CParamBinding {
public:
  CSourceBinding(CSkinComboBox* list, IShellSession& session, const ParamAddr& addr,
                 std::function<void(const Caption&)> refused)
      : CParamBinding(session, addr, list), m_list(list), m_refused(std::move(refused)) {
    QObject::connect(list, &CSkinComboBox::DropdownSelected, this, [this](int, int row) {
      if (Change(row, ChangeOrigin::Control) != ChangeResult::Refused) return;
      if (const Caption* why = m_session.Changes().LastRefusal()) m_refused(*why);
    });
  }
  void Refresh() override {
    if (!m_list->IsDropListShown()) m_list->SetCurSel(Raw());
  }

private:
  CSkinComboBox* m_list;
  std::function<void(const Caption&)> m_refused;
};

/// A button that only shows a value (COMP is lit while the compressor is on; a click opens the
/// editor instead of switching it).
class CLampBinding final : public CParamBinding {
public:
  CLampBinding(PngButton* button, IShellSession& session, const ParamAddr& addr)
      : CParamBinding(session, addr, button), m_button(button) {}
  void Refresh() override { m_button->SetChecked(Raw() != 0); }

private:
  PngButton* m_button;
};

CSkinComboBox* MakeList(int id, QWidget* parent) {
  auto* list = new CSkinComboBox(parent);
  list->CreateDropList(id);
  return list;
}

}  // namespace

CInputStrip::CInputStrip(IShellSession& session, QWidget* parent) : CChannelStrip(session, kInputStripKind, parent) {
  m_sourceCaption = new CValueLabel(this);
  m_sourceCaption->SetAlignment(1);
  m_sourceCaption->SetFontSize(9);
  m_source = MakeList(kSourceListId, this);
  m_source->setObjectName(QStringLiteral("SourceList"));
  for (const Caption& c : lists::kSources) m_source->AddString(QString::fromUtf8(c.en));
  m_eq = new CEqMiniature(this);
  m_eq->setObjectName(QStringLiteral("EqMiniature"));
  m_preamp = MakeList(kPreampListId, this);
  m_preamp->setObjectName(QStringLiteral("PreampList"));
  m_comp = MakeShellButton({}, ButtonLook::Toggle, this);
  m_comp->setObjectName(QStringLiteral("CompButton"));
  m_effect = MakeShellButton({}, ButtonLook::Key, this);
  m_effect->setObjectName(QStringLiteral("EffectButton"));
  m_priority = MakeShellButton({}, ButtonLook::Toggle, this);
  m_priority->setObjectName(QStringLiteral("PriorityButton"));
  m_phantom = MakeShellButton({}, ButtonLook::Toggle, this);
  m_phantom->setObjectName(QStringLiteral("PhantomButton"));
  // A lit field, flat and framed like the read-outs, so nobody takes it for a key.
  m_status = new CValueLabel(this);
  m_status->setObjectName(QStringLiteral("StatusIndicator"));
  m_status->setAttribute(Qt::WA_TransparentForMouseEvents);
  m_status->SetAlignment(1);
  m_status->SetFontSize(9);
  m_status->SetOpaque(true);

  // The preamp list holds this record's steps before its binding selects one.
  FillPreampList();
  AddBinding(std::make_unique<CSourceBinding>(m_source, session, ParamAddr{ParamId::InSource, 0, 0},
                                              [this](const Caption& why) { ShowRefusal(why); }));
  AddBinding(BindList(m_preamp, session, {ParamId::InPreamp, 0, 0}));
  AddBinding(BindToggle(m_priority, session, {ParamId::InPriority, 0, 0}));
  AddBinding(BindToggle(m_phantom, session, {ParamId::InPhantom, 0, 0}));
  AddBinding(std::make_unique<CLampBinding>(m_comp, session, ParamAddr{ParamId::InCompOn, 0, 0}));

  connect(m_comp, &QAbstractButton::clicked, this, [this] { emit EditorRequested(Slot().record, kCompEditor); });
  connect(m_effect, &QAbstractButton::clicked, this, [this] { emit EditorRequested(Slot().record, kEffectEditor); });
  connect(m_eq, &CEqMiniature::Clicked, this, [this] { emit EditorRequested(Slot().record, kPeqEditor); });
  ApplyLanguage(Language::English);
}

void CInputStrip::FillPreampList() {
  const auto items = ItemsFor(Param(ParamId::InPreamp), Slot().record);
  if (static_cast<int>(items.size()) == m_preampRows) return;
  m_preampRows = static_cast<int>(items.size());
  m_preamp->ResetContent();
  for (const Caption& c : items) m_preamp->AddString(CaptionText(c, m_language));
}

void CInputStrip::Refresh(std::uint32_t bits) {
  const bool mic = Slot().record < kAutomixInputs;
  for (QWidget* w : {static_cast<QWidget*>(m_priority), static_cast<QWidget*>(m_phantom), static_cast<QWidget*>(m_status)})
    w->setVisible(mic);
  // The compressor reaches every input; the effect returns lead to the delay and reverb instead.
  const bool effect = Slot().record >= kDelayRecord;
  m_comp->setVisible(!effect);
  m_effect->setVisible(effect);
  if (bits == change::kAll) {
    m_shownActive = -1;
    FillPreampList();
  }
  CChannelStrip::Refresh(bits);
  if (bits == change::kAll || (bits & (change::kEq | change::kFullState))) UpdateCurve();
}

void CInputStrip::UpdateCurve() {
  const int record = Slot().record;
  const eq::Response r = eq::ChannelResponse(State().in[record], record);
  const auto& grid = eq::Grid();
  m_eq->SetCurve(std::vector<double>(grid.begin(), grid.end()), std::vector<double>(r.begin(), r.end()));
}

void CInputStrip::UpdateMeter() {
  CChannelStrip::UpdateMeter();
  if (Slot().record >= kAutomixInputs) return;
  const bool active = IsChannelActive(State().in[Slot().record]);
  if (static_cast<int>(active) != m_shownActive) ShowStatus(active);
}

void CInputStrip::ApplyLanguage(Language language) {
  m_language = language;
  CChannelStrip::ApplyLanguage(language);
  if (!m_status) return;
  m_sourceCaption->SetText(CaptionText(kSignal, language));
  m_comp->setText(CaptionText(kComp, language));
  m_effect->setText(CaptionText(kEffect, language));
  m_priority->setText(CaptionText(kPriority, language));
  m_phantom->setText(CaptionText(kPhantom, language));
  ShowStatus(m_shownActive == 1);
}

void CInputStrip::ShowStatus(bool active) {
  m_shownActive = active ? 1 : 0;
  const SkinTheme& theme = SkinTheme::Current();
  m_status->SetText(CaptionText(active ? captions::kActive : captions::kWaiting, m_language));
  m_status->SetBackgroundColor(active ? QColor(0x1f, 0x8a, 0x3a) : theme.Color("meter.bg"));
  m_status->SetTextColor(active ? Qt::white : theme.Color("text.dim"));
}

void CInputStrip::ShowRefusal(const Caption& text) {
  // The message exists in one language only and reads the same in both.
  const QString title = window()->windowTitle().isEmpty() ? QStringLiteral("ORVX-64Q") : window()->windowTitle();
  ShowNotice(this, CaptionText(text, m_language), title, QMessageBox::Warning);
}

QList<CMenuEx::Item> CInputStrip::MoreMenuItems() const {
  return {CMenuEx::Item::Command(CaptionText(kSendsItem, m_language), kSendsCommand),
          CMenuEx::Item::Command(CaptionText(kPhantomItem, m_language), kPhantomCommand)};
}

void CInputStrip::OnMenuCommand(int command) {
  if (command == kSendsCommand) emit EditorRequested(Slot().record, kSendsEditor);
  if (command == kPhantomCommand) emit PhantomRequested();
}

void CInputStrip::resizeEvent(QResizeEvent* event) {
  CChannelStrip::resizeEvent(event);
  const int inner = width() - 2 * kSideMargin;
  CentreWidget(m_sourceCaption, inner, kSourceCaptionTop, 18);
  CentreWidget(m_source, inner, kSourceTop, kListHeight);
  CentreWidget(m_eq, width() - 8, kEqTop, kEqHeight);
  CentreWidget(m_preamp, inner, kPreampTop, kListHeight);
  CentreWidget(m_comp, inner, kCompTop, kButtonHeight);
  CentreWidget(m_effect, inner, kCompTop, kButtonHeight);
  CentreWidget(m_priority, inner, kPriorityTop, kButtonHeight);
  CentreWidget(m_phantom, inner, kPhantomTop, kButtonHeight);
  CentreWidget(m_status, width() - 24, kStatusTop, 30);
}

}  // namespace orvx
