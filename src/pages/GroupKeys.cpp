#include "pages/GroupKeys.h"

#include "pages/CaptionText.h"
#include "pages/HeaderControls.h"
#include "pages/ShellButtons.h"
#include "session/MuteGroups.h"
#include "ui/ValueLabel.h"

namespace orvx {
namespace {

constexpr Caption kMuteGroups{"M GROUPS", "静音分组"};
constexpr Caption kControlGroups{"C GROUPS", "控制分组"};

}  // namespace

CGroupKeys::CGroupKeys(const CDeviceState& state, QWidget* header) : QObject(header), m_state(state) {
  m_muteGroupLabel = MakeHeaderLabel(header, 9);
  m_controlGroupLabel = MakeHeaderLabel(header, 9);
  for (int n = 0; n < kGroups; ++n) {
    m_muteKeys[n] = MakeShellButton(QString::number(n + 1), ButtonLook::Toggle, header);
    m_muteKeys[n]->setObjectName(QStringLiteral("MuteGroupKey%1").arg(n + 1));
    connect(m_muteKeys[n], &QAbstractButton::clicked, this, [this, n] { emit MuteKeyPressed(n + 1); });
    m_controlKeys[n] = MakeShellButton(QString::number(n + 1), ButtonLook::Toggle, header);
    m_controlKeys[n]->setObjectName(QStringLiteral("ControlGroupKey%1").arg(n + 1));
    connect(m_controlKeys[n], &QAbstractButton::clicked, this, [this, n] { emit ControlKeyPressed(n + 1); });
  }
}

void CGroupKeys::Place(int unit) {
  PlaceAt(m_muteGroupLabel, CMainLayout::ControlRect(MainControl::MuteGroupLabel, unit));
  PlaceAt(m_controlGroupLabel, CMainLayout::ControlRect(MainControl::ControlGroupLabel, unit));
  for (int n = 0; n < kGroups; ++n) {
    PlaceAt(m_muteKeys[n], CMainLayout::GroupKeyRect(false, n + 1, unit));
    PlaceAt(m_controlKeys[n], CMainLayout::GroupKeyRect(true, n + 1, unit));
  }
}

void CGroupKeys::ApplyLanguage(Language language) {
  m_muteGroupLabel->SetText(CaptionText(kMuteGroups, language));
  m_controlGroupLabel->SetText(CaptionText(kControlGroups, language));
}

void CGroupKeys::Refresh() {
  for (int n = 0; n < kGroups; ++n) {
    m_muteKeys[n]->SetChecked(MuteGroupApplied(m_state, n));
    m_controlKeys[n]->SetChecked(m_state.controlGroupOn[n] != 0);
  }
}

}  // namespace orvx
