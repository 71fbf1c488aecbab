#include "pages/HeaderKeys.h"

#include <QProgressBar>

#include "pages/CaptionText.h"
#include "pages/HeaderControls.h"
#include "pages/ShellButtons.h"
#include "pages/ShellStyle.h"
#include "pages/StatusLamp.h"
#include "ui/ValueLabel.h"

namespace orvx {
namespace {

constexpr Caption kViewCaptions[5] = {
    {"CHANNEL", "通道"}, {"MATRIX", "矩阵"}, {"MODE", "模式"}, {"SYSTEM", "系统"}, {"GROUPS", "分组"}};
constexpr Caption kGroupLabels[4] = {
    {"CH1-8", "通道1-8"}, {"CH9-12", "通道9-12"}, {"EFFECT", "效果"}, {"OUTPUTS", "输出"}};
constexpr Caption kGroupKeyCaptions[4] = {{"1-8", "1-8"}, {"9-12", "9-12"}, {"FX", "效果"}, {"OUT", "输出"}};
constexpr Caption kHome{"HOME", "主页"};
constexpr Caption kMenu{"Menu", "菜单"};
constexpr Caption kUndo{"UNDO", "撤销"};
constexpr Caption kRedo{"REDO", "重做"};
constexpr Caption kSendingPlan{"Sending to the processor: %1 / %2", "正在发送到处理器：%1 / %2"};

}  // namespace

CHeaderKeys::CHeaderKeys(QWidget* header) : QObject(header) {
  for (int i = 0; i < 5; ++i) {
    auto* b = MakeShellButton({}, ButtonLook::View, header);
    b->setObjectName(QStringLiteral("ViewButton%1").arg(i));
    connect(b, &QAbstractButton::clicked, this, [this, i] { emit ViewPressed(static_cast<ViewButton>(i)); });
    m_viewButtons[i] = b;
  }
  for (int g = 1; g <= 4; ++g) {
    auto* b = MakeShellButton({}, ButtonLook::Group, header);
    b->setObjectName(QStringLiteral("GroupButton%1").arg(g));
    connect(b, &QAbstractButton::clicked, this, [this, g] { emit GroupPressed(g); });
    m_groupButtons[g - 1] = b;
    m_groupLabels[g - 1] = MakeHeaderLabel(header, 9);
  }
  // Group 3 (the effect returns) has no visible key.
  m_groupButtons[2]->hide();
  m_groupLabels[2]->hide();

  m_lamp = new CStatusLamp(header);
  m_lamp->setObjectName(QStringLiteral("StatusLamp"));
  connect(m_lamp, &CStatusLamp::Clicked, this, &CHeaderKeys::LampClicked);
  m_statusText = MakeHeaderLabel(header, 11, true);
  m_statusText->setObjectName(QStringLiteral("StatusText"));

  m_home = MakeShellButton({}, ButtonLook::Key, header);
  m_home->hide();
  connect(m_home, &QAbstractButton::clicked, this, &CHeaderKeys::HomeClicked);
  m_homeLabel = MakeHeaderLabel(header, 9);
  m_homeLabel->hide();

  m_menu = MakeShellButton({}, ButtonLook::Toggle, header);
  m_menu->setObjectName(QStringLiteral("MenuButton"));
  connect(m_menu, &QAbstractButton::clicked, this, &CHeaderKeys::MenuClicked);
  m_langButton = MakeShellButton(QStringLiteral("EN / 中文"), ButtonLook::Key, header);
  m_langButton->setObjectName(QStringLiteral("LanguageButton"));
  connect(m_langButton, &QAbstractButton::clicked, this, &CHeaderKeys::LanguageClicked);
  m_undo = MakeShellButton({}, ButtonLook::Key, header);
  m_undo->setObjectName(QStringLiteral("UndoButton"));
  connect(m_undo, &QAbstractButton::clicked, this, &CHeaderKeys::UndoClicked);
  m_redo = MakeShellButton({}, ButtonLook::Key, header);
  m_redo->setObjectName(QStringLiteral("RedoButton"));
  connect(m_redo, &QAbstractButton::clicked, this, &CHeaderKeys::RedoClicked);

  m_planProgress = MakeProgressBar(header);
  m_planProgress->setObjectName(QStringLiteral("PlanProgress"));
}

void CHeaderKeys::Place(int unit) {
  const MainControl views[5] = {MainControl::ViewChannel, MainControl::ViewMatrix, MainControl::ViewMode,
                                MainControl::ViewSystem, MainControl::ViewGroups};
  for (int i = 0; i < 5; ++i) PlaceAt(m_viewButtons[i], CMainLayout::ControlRect(views[i], unit));
  const MainControl groups[4] = {MainControl::GroupButton1, MainControl::GroupButton2, MainControl::GroupButton1,
                                 MainControl::GroupButton4};
  const MainControl labels[4] = {MainControl::GroupLabel1, MainControl::GroupLabel2, MainControl::GroupLabel1,
                                 MainControl::GroupLabel4};
  for (int g = 0; g < 4; ++g) {
    if (g == 2) continue;  // hidden key
    PlaceAt(m_groupButtons[g], CMainLayout::ControlRect(groups[g], unit));
    PlaceAt(m_groupLabels[g], CMainLayout::ControlRect(labels[g], unit));
  }
  PlaceAt(m_lamp, CMainLayout::ControlRect(MainControl::StatusLamp, unit));
  PlaceAt(m_statusText, CMainLayout::ControlRect(MainControl::StatusText, unit));
  PlaceAt(m_planProgress, CMainLayout::ControlRect(MainControl::PlanProgress, unit));
  PlaceAt(m_menu, CMainLayout::ControlRect(MainControl::Menu, unit));
  PlaceAt(m_langButton, CMainLayout::ControlRect(MainControl::LanguageToggle, unit));
  PlaceAt(m_undo, CMainLayout::ControlRect(MainControl::Undo, unit));
  PlaceAt(m_redo, CMainLayout::ControlRect(MainControl::Redo, unit));
}

void CHeaderKeys::ApplyLanguage(Language language) {
  for (int i = 0; i < 5; ++i) m_viewButtons[i]->setText(CaptionText(kViewCaptions[i], language));
  for (int g = 0; g < 4; ++g) {
    m_groupLabels[g]->SetText(CaptionText(kGroupLabels[g], language));
    m_groupButtons[g]->setText(CaptionText(kGroupKeyCaptions[g], language));
  }
  m_home->setText(CaptionText(kHome, language));
  m_homeLabel->SetText(CaptionText(kHome, language));
  m_menu->setText(CaptionText(kMenu, language));
  m_undo->setText(CaptionText(kUndo, language));
  m_redo->setText(CaptionText(kRedo, language));
}

void CHeaderKeys::ShowPressed(MainView view, int group) {
  const int pressed = CNavigation::ButtonOfView(view);
  for (int i = 0; i < 5; ++i) m_viewButtons[i]->SetChecked(i == pressed);
  for (int g = 1; g <= 4; ++g) m_groupButtons[g - 1]->SetChecked(view == MainView::Channel && g == group);
}

void CHeaderKeys::ShowLink(bool lampLit, bool online, Language language) {
  m_lamp->SetLit(lampLit);
  m_statusText->SetText(CaptionText(online ? captions::kOnline : captions::kOffline, language));
}

void CHeaderKeys::ShowHistory(bool canUndo, bool canRedo) {
  m_undo->setEnabled(canUndo);
  m_undo->SetUnavailable(!canUndo);
  m_redo->setEnabled(canRedo);
  m_redo->SetUnavailable(!canRedo);
}

void CHeaderKeys::ShowPlanProgress(int sent, int total, Language language) {
  const bool running = total > 0;
  m_planProgress->setVisible(running && m_planProgress->geometry().width() > 0);
  if (!running) return;
  m_planProgress->setRange(0, total);
  m_planProgress->setValue(sent);
  m_planProgress->setFormat(CaptionText(kSendingPlan, language).arg(sent).arg(total));
}

}  // namespace orvx
