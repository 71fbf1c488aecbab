#include "pages/GroupPage.h"

#include <QToolTip>

#include <QPainter>

#include "pages/CaptionText.h"
#include "pages/ShellButtons.h"
#include "pages/ShellStyle.h"
#include "session/TypedValue.h"
#include "ui/UiFont.h"
#include "ui/ValueLabel.h"

namespace orvx {

namespace {
constexpr Caption kTitle{"GROUPS", "分组"};
constexpr Caption kControlHeading{"CONTROL GROUPS", "控制分组"};
constexpr Caption kMuteHeading{"MUTE GROUPS", "静音分组"};
constexpr Caption kControlSelector{"CONTROL %1", "控制 %1"};
constexpr Caption kInputs{"INPUTS", "输入"};
constexpr Caption kOutputs{"OUTPUTS", "输出"};
constexpr Caption kFunctions{"FUNCTIONS", "功能"};
constexpr Caption kMembers{"MEMBERS: %1", "成员数: %1"};
constexpr Caption kName{"CONTROL GROUP NAME", "控制分组名称"};

constexpr int kLeft = 20;
constexpr int kLabelWidth = 110;
constexpr int kCell = 96;  ///< member and function buttons, step across
constexpr int kButtonW = 90;
constexpr int kButtonH = 30;
constexpr int kRow = 36;
constexpr int kTop = CTitledPage::kTitleHeight;

CValueLabel* MakeLabel(QWidget* parent, const QRect& place, double points = 10, bool bold = false) {
  auto* l = new CValueLabel(parent);
  l->SetFontSize(points);
  if (bold) l->setFont(UiFont(points, true));
  l->setGeometry(place);
  return l;
}

PngButton* MakeMember(QWidget* parent, int x, int y) {
  PngButton* b = MakeShellButton({}, ButtonLook::Toggle, parent);
  b->setGeometry(x, y, kButtonW, kButtonH);
  b->SetCaptionSize(9);
  return b;
}

}  // namespace

CGroupPage::CGroupPage(IShellSession& session, QWidget* parent) : CTitledPage(kTitle, parent), m_session(session) {
  const int x0 = kLeft + kLabelWidth;
  int y = kTop + 14;
  m_controlHeading = MakeLabel(this, {kLeft, y + 6, 400, 28}, 11, true);
  m_controlHeading->SetAlignment(0);
  y += 34;
  for (int g = 0; g < kGroups; ++g) {
    PngButton* b = MakeShellButton({}, ButtonLook::Toggle, this);
    b->setObjectName(QStringLiteral("ControlGroup%1").arg(g + 1));
    b->setGeometry(kLeft + g * 130, y, 120, 34);
    connect(b, &QAbstractButton::clicked, this, [this, g] { PressControlGroup(g); });
    m_controlSelectors[g] = b;
  }
  m_count = MakeLabel(this, {kLeft + 4 * 130 + 10, y, 200, 34});
  y += 46;
  m_controlInputsLabel = MakeLabel(this, {kLeft, y, kLabelWidth - 8, kButtonH});
  for (int r = 0; r < kInputRecords; ++r) {
    PngButton* b = MakeMember(this, x0 + (r % 9) * kCell, y + (r / 9) * kRow);
    connect(b, &QAbstractButton::clicked, this, [this, r] { PressControlMember(false, r); });
    m_controlInputs[r] = b;
  }
  y += 2 * kRow;
  m_controlOutputsLabel = MakeLabel(this, {kLeft, y, kLabelWidth - 8, kButtonH});
  for (int r = 0; r < kOutputRecords; ++r) {
    PngButton* b = MakeMember(this, x0 + r * kCell, y);
    connect(b, &QAbstractButton::clicked, this, [this, r] { PressControlMember(true, r); });
    m_controlOutputs[r] = b;
  }
  y += kRow + 8;
  m_functionsLabel = MakeLabel(this, {kLeft, y, kLabelWidth - 8, kButtonH});
  for (int i = 0; i < static_cast<int>(std::size(kGroupSwitches)); ++i) {
    PngButton* b = MakeMember(this, x0 + (i % 9) * kCell, y + (i / 9) * kRow);
    connect(b, &QAbstractButton::clicked, this, [this, i] { PressFunction(i); });
    m_functions.push_back(b);
  }
  y += 2 * kRow + 8;
  m_nameLabel = MakeLabel(this, {kLeft, y, 220, kButtonH});
  m_name = new QLineEdit(this);
  m_name->setObjectName(QStringLiteral("GroupName"));
  m_name->setGeometry(kLeft + 230, y, 220, kButtonH);
  m_name->setFont(UiFont(11));
  ApplyEditStyle(m_name);
  connect(m_name, &QLineEdit::editingFinished, this, &CGroupPage::StoreName);

  y += kRow + 12;
  m_muteHeading = MakeLabel(this, {kLeft, y + 6, 400, 28}, 11, true);
  m_muteHeading->SetAlignment(0);
  y += 34;
  for (int g = 0; g < kGroups; ++g) {
    PngButton* b = MakeShellButton(QStringLiteral("MUTE %1").arg(g + 1), ButtonLook::Toggle, this);
    b->setObjectName(QStringLiteral("MuteGroup%1").arg(g + 1));
    b->setGeometry(kLeft + g * 130, y, 120, 34);
    connect(b, &QAbstractButton::clicked, this, [this, g] { PressMuteGroup(g); });
    m_muteSelectors[g] = b;
  }
  y += 46;
  m_muteInputsLabel = MakeLabel(this, {kLeft, y, kLabelWidth - 8, kButtonH});
  for (int r = 0; r < kMuteInputs; ++r) {
    PngButton* b = MakeMember(this, x0 + r * kCell, y);
    connect(b, &QAbstractButton::clicked, this, [this, r] { PressMuteMember(false, r); });
    m_muteInputs[r] = b;
  }
  y += kRow;
  m_muteOutputsLabel = MakeLabel(this, {kLeft, y, kLabelWidth - 8, kButtonH});
  for (int r = 0; r < kOutputRecords; ++r) {
    PngButton* b = MakeMember(this, x0 + r * kCell, y);
    connect(b, &QAbstractButton::clicked, this, [this, r] { PressMuteMember(true, r); });
    m_muteOutputs[r] = b;
  }
  ApplyLanguage(Language::English);
}

void CGroupPage::ApplyLanguage(Language language) {
  CTitledPage::ApplyLanguage(language);
  m_controlHeading->SetText(CaptionText(kControlHeading, language));
  m_muteHeading->SetText(CaptionText(kMuteHeading, language));
  for (int g = 0; g < kGroups; ++g) m_controlSelectors[g]->setText(CaptionText(kControlSelector, language).arg(g + 1));
  for (CValueLabel* l : {m_controlInputsLabel, m_muteInputsLabel}) l->SetText(CaptionText(kInputs, language));
  for (CValueLabel* l : {m_controlOutputsLabel, m_muteOutputsLabel}) l->SetText(CaptionText(kOutputs, language));
  m_functionsLabel->SetText(CaptionText(kFunctions, language));
  m_nameLabel->SetText(CaptionText(kName, language));
  for (std::size_t i = 0; i < m_functions.size(); ++i)
    m_functions[i]->setText(CaptionText(kGroupSwitches[i].caption, language));
  Refresh();
}

void CGroupPage::Refresh(std::uint32_t bits) {
  CTitledPage::Refresh(bits);
  if (bits == change::kAll || (bits & (change::kNames | change::kFullState))) ShowNames();
  if (bits == change::kAll || (bits & (change::kGroups | change::kFullState))) {
    ShowControlGroup();
    ShowMuteGroup();
  }
}

void CGroupPage::ShowNames() {
  const CDeviceState& s = m_session.State();
  auto name = [&](ParamId id, int r) {
    const ParamAddr a{id, r, 0};
    return QString::fromStdString(FormatParam(a, ReadParam(s, a), s.language));
  };
  for (int r = 0; r < kInputRecords; ++r) m_controlInputs[r]->setText(name(ParamId::InName, r));
  for (int r = 0; r < kMuteInputs; ++r) m_muteInputs[r]->setText(name(ParamId::InName, r));
  for (int r = 0; r < kOutputRecords; ++r) {
    m_controlOutputs[r]->setText(name(ParamId::OutName, r));
    m_muteOutputs[r]->setText(name(ParamId::OutName, r));
  }
}

void CGroupPage::PressControlGroup(int group) {
  if (group < 0 || group >= kGroups) return;
  m_control = m_control == group ? -1 : group;
  m_shownSet = m_control < 0 ? GroupSide::None : ControlGroupSide(m_session.State(), m_control);
  ShowControlGroup();
}

void CGroupPage::PressMuteGroup(int group) {
  if (group < 0 || group >= kGroups) return;
  m_mute = m_mute == group ? -1 : group;
  ShowMuteGroup();
}

void CGroupPage::ShowControlGroup() {
  const CDeviceState& s = m_session.State();
  const ControlGroup* g = m_control >= 0 ? &s.controlGroups[m_control] : nullptr;
  for (int n = 0; n < kGroups; ++n) m_controlSelectors[n]->SetChecked(n == m_control);
  for (int r = 0; r < kInputRecords; ++r) m_controlInputs[r]->SetChecked(g && g->inputs[r] != 0);
  for (int r = 0; r < kOutputRecords; ++r) m_controlOutputs[r]->SetChecked(g && g->outputs[r] != 0);
  for (std::size_t i = 0; i < m_functions.size(); ++i) {
    m_functions[i]->setVisible(SwitchOffered(kGroupSwitches[i], m_shownSet));
    m_functions[i]->SetChecked(g && g->switches[kGroupSwitches[i].word] != 0);
  }
  m_count->SetText(g ? CaptionText(kMembers, s.language).arg(g->memberCount) : QString());
  if (!m_name->hasFocus())
    m_name->setText(
        g ? QString::fromStdString(FormatParam({ParamId::ControlGroupName, m_control, 0},
                                               ReadParam(s, {ParamId::ControlGroupName, m_control, 0}), s.language))
          : QString());
  m_name->setEnabled(g != nullptr);
}

void CGroupPage::ShowMuteGroup() {
  const CDeviceState& s = m_session.State();
  const MuteGroup* g = m_mute >= 0 ? &s.muteGroups[m_mute] : nullptr;
  for (int n = 0; n < kGroups; ++n) m_muteSelectors[n]->SetChecked(n == m_mute);
  for (int r = 0; r < kMuteInputs; ++r) m_muteInputs[r]->SetChecked(g && g->inputs[r] != 0);
  for (int r = 0; r < kOutputRecords; ++r) m_muteOutputs[r]->SetChecked(g && g->outputs[r] != 0);
}

void CGroupPage::PressControlMember(bool output, int record) {
  if (m_control >= 0) {
    if (const auto change = ControlMemberToggle(m_session.State(), m_control, output, record)) {
      m_shownSet = output ? GroupSide::Outputs : GroupSide::Inputs;
      m_session.Changes().Apply(*change);
    }
  }
  ShowControlGroup();  // a refused press leaves the button as the state has it
}

void CGroupPage::PressMuteMember(bool output, int record) {
  if (m_mute >= 0) {
    const ParamAddr a{output ? ParamId::MuteGroupOut : ParamId::MuteGroupIn, m_mute, record};
    m_session.Changes().Set(a, {ReadParam(m_session.State(), a).raw != 0 ? 0 : 1, {}});
  }
  ShowMuteGroup();
}

void CGroupPage::PressFunction(int i) {
  if (m_control >= 0) {
    const ParamAddr a{ParamId::ControlGroupSwitch, m_control, kGroupSwitches[i].word};
    m_session.Changes().Set(a, {ReadParam(m_session.State(), a).raw != 0 ? 0 : 1, {}});
  }
  ShowControlGroup();
}

void CGroupPage::StoreName() {
  if (m_control < 0) return;
  // A name that does not fit its field is refused with its limit, never cut without a word.
  const TypedResult typed = ParseTypedValue({ParamId::ControlGroupName, m_control, 0}, m_name->text().toStdString());
  if (const auto* refusal = std::get_if<TypedRefusal>(&typed)) {
    const QString why = QString::fromStdString(refusal->In(m_session.State().language));
    ApplyEditStyle(m_name, true);
    m_name->setToolTip(why);
    QToolTip::showText(m_name->mapToGlobal(QPoint(0, m_name->height())), why, m_name);
    return;
  }
  ApplyEditStyle(m_name);
  m_name->setToolTip({});
  m_session.Changes().Apply(ControlGroupNameChange(m_control, m_name->text().toStdString()));
  m_name->clearFocus();
  ShowControlGroup();
}

}  // namespace orvx
