#include "pages/SystemPage.h"

#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>

#include "core/DeviceState.h"
#include "core/NumberText.h"
#include "link/SocketErrorText.h"
#include "pages/CaptionText.h"
#include "pages/NameDlg.h"
#include "pages/PageMessages.h"
#include "pages/ShellButtons.h"
#include "pages/SceneDiffDlg.h"
#include "pages/ShellStyle.h"
#include "device/UpdateTexts.h"
#include "session/AppOptions.h"
#include "session/UpdateLabels.h"
#include "ui/MenuEx.h"
#include "ui/SkinComboBox.h"
#include "ui/SkinTheme.h"
#include "ui/UiFont.h"
#include "ui/UiMessages.h"
#include "ui/ValueLabel.h"

namespace orvx {
namespace {
constexpr Caption kCalled{"PLK-700-%1 called.", "已呼叫 PLK-700-%1。"};
constexpr int kCallDoneMs = 4000;

constexpr Caption kOk{"OK", "确定"};
constexpr Caption kOfflineButton{"OFFLINE", "离线"};
constexpr Caption kBadAddress{"Not an IPv4 address.", "不是有效的IPv4地址。"};
constexpr Caption kSlotCaption{"SLOT %1", "槽 %1"};
constexpr Caption kRecallTitle{"RECALL %1", "调用 %1"};
constexpr Caption kNameTitle{"NAME - scene %1", "名称 - 场景 %1"};
constexpr Caption kNowColumn{"NOW", "当前"};
constexpr Caption kSceneColumn{"SCENE %1", "场景 %1"};
constexpr Caption kCancel{"CANCEL", "取消"};

/// Colours of the five slot labels, so a slot is found again at a glance on the unit.
constexpr std::array<QRgb, kUnitSlotBytes> kSlotColours{0xd04040, 0xe0a020, 0x40a040, 0x3080d0, 0x9050c0};

constexpr int kTabTop = CTitledPage::kTitleHeight + 8;
constexpr int kTabWidth = 130;
constexpr int kTabHeight = 36;
constexpr int kContentTop = kTabTop + kTabHeight + 20;

QString ThemeColour(const char* key) { return SkinTheme::Current().Color(QLatin1String(key)).name(); }


}  // namespace

CSystemPage::CSystemPage(IShellSession& session, IProfileStore& profile, QWidget* parent)
    : CTitledPage(captions::kDeviceSetting, parent),
      m_session(session),
      m_controller(session, profile),
      m_update(std::make_unique<CUpdateController>(session, UpdateSettings{})),
      m_scenes(session, nullptr) {
  for (int t = 0; t < kSystemTabs; ++t) {
    auto* tab = MakeShellButton({}, ButtonLook::View, this);
    tab->setObjectName(QStringLiteral("SystemTab%1").arg(t));
    m_tabs[t] = tab;
    connect(tab, &QAbstractButton::clicked, this, [this, t] { SelectTab(static_cast<SystemTab>(t)); });
  }
  CreateConnectTab();
  CreateSceneTab();
  CreateHelpTab();
  CreateUnitTab();

  m_poll.setInterval(kPollMs);
  connect(&m_poll, &QTimer::timeout, this, &CSystemPage::Poll);
  Layout();
  ApplyLanguage(Language::English);
  SelectTab(SystemTab::Connect);
}

void CSystemPage::CreateConnectTab() {
  auto& c = m_content[static_cast<int>(SystemTab::Connect)];
  m_ipCaption = new CValueLabel(this);
  m_address = new QLineEdit(this);
  m_address->setObjectName(QStringLiteral("DeviceAddress"));
  m_address->setFont(UiFont(11));
  m_address->setMaxLength(15);
  ApplyEditStyle(m_address);
  m_ok = MakeShellButton({}, ButtonLook::Key, this);
  m_invalid = new CValueLabel(this);
  m_search = MakeShellButton({}, ButtonLook::Key, this);
  m_search->setObjectName(QStringLiteral("SearchButton"));
  m_connect = MakeShellButton({}, ButtonLook::Toggle, this);
  m_connect->setObjectName(QStringLiteral("ConnectButton"));
  m_offline = MakeShellButton({}, ButtonLook::Key, this);
  m_offline->setObjectName(QStringLiteral("OfflineButton"));

  m_devices = new QTableWidget(0, 2, this);
  m_devices->setObjectName(QStringLiteral("DeviceList"));
  m_devices->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_devices->setSelectionMode(QAbstractItemView::SingleSelection);
  m_devices->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_devices->setShowGrid(true);
  m_devices->verticalHeader()->hide();
  m_devices->setColumnWidth(0, 150);
  m_devices->setColumnWidth(1, 100);
  m_devices->horizontalHeader()->setStretchLastSection(true);
  m_devices->setFont(UiFont(10));
  m_devices->setStyleSheet(QStringLiteral("QTableWidget{background:%1;color:%2;gridline-color:%3;"
                                          "border:1px solid %3;}QHeaderView::section{background:%4;"
                                          "color:%2;border:1px solid %3;padding:3px;}"
                                          "QTableWidget::item:selected{background:%5;color:%6;}")
                               .arg(ThemeColour("list.bg"), ThemeColour("list.text"), ThemeColour("list.frame"),
                                    ThemeColour("panel.bg"), ThemeColour("list.selected.bg"),
                                    ThemeColour("list.selected.text")));
  m_searchProgress = MakeProgressBar(this);
  m_searchProgress->setObjectName(QStringLiteral("SearchProgress"));
  m_searchProgress->setRange(0, 254);

  m_explanation = new QLabel(this);
  m_explanation->setObjectName(QStringLiteral("SearchExplanation"));
  m_explanation->setWordWrap(true);
  m_explanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  m_explanation->setFont(UiFont(10));
  m_explanation->setStyleSheet(QStringLiteral("QLabel{background:%1;color:%2;border:1px solid %3;padding:8px;}")
                                   .arg(ThemeColour("label.bg"), ThemeColour("label.text"), ThemeColour("list.frame")));
  m_explanation->hide();

  // The drag interval's controls exist but no tab shows them.
  m_spanCaption = new CValueLabel(this);
  m_spanEdit = new QLineEdit(this);
  m_spanEdit->setObjectName(QStringLiteral("SpanTime"));
  ApplyEditStyle(m_spanEdit);
  m_spanOk = MakeShellButton({}, ButtonLook::Key, this);
  for (QWidget* w : std::initializer_list<QWidget*>{m_spanCaption, m_spanEdit, m_spanOk}) w->hide();

  c = {m_ipCaption, m_address, m_ok, m_search, m_connect, m_offline, m_devices};

  connect(m_ok, &QAbstractButton::clicked, this, &CSystemPage::ConfirmAddress);
  connect(m_address, &QLineEdit::returnPressed, this, &CSystemPage::ConfirmAddress);
  // The refusal is about what was typed: it goes as soon as the address is being corrected.
  connect(m_address, &QLineEdit::textEdited, m_invalid, &QWidget::hide);
  connect(m_search, &QAbstractButton::clicked, this, &CSystemPage::OnSearch);
  connect(m_connect, &QAbstractButton::clicked, this, &CSystemPage::ConnectClicked);
  connect(m_offline, &QAbstractButton::clicked, this, &CSystemPage::OfflineClicked);
  connect(m_devices, &QTableWidget::cellClicked, this, [this](int row, int) { OnDeviceListClick(row); });
  connect(m_spanOk, &QAbstractButton::clicked, this,
          [this] { m_controller.ConfirmSpanTime(m_spanEdit->text().toStdString()); });
}

void CSystemPage::CreateSceneTab() {
  auto& c = m_content[static_cast<int>(SystemTab::Show)];
  m_sceneSave = MakeShellButton({}, ButtonLook::Key, this);
  m_sceneSave->setObjectName(QStringLiteral("SceneSave"));
  m_sceneSave->setEnabled(false);
  c.push_back(m_sceneSave);
  connect(m_sceneSave, &QAbstractButton::clicked, this, &CSystemPage::OnSceneSave);
  for (int i = 0; i < kScenes; ++i) {
    m_sceneSlots[i] = MakeShellButton({}, ButtonLook::Key, this);
    m_sceneSlots[i]->setObjectName(QStringLiteral("SceneKey%1").arg(i + 1));
    c.push_back(m_sceneSlots[i]);
    connect(m_sceneSlots[i], &QAbstractButton::clicked, this, [this, i] { OnSceneKey(i); });
  }
}

void CSystemPage::SetSceneStore(CSceneStore* store) {
  m_scenes.SetStore(store);
  // Before an update the settings are kept as a scene of the same store.
  m_update->SetBackup(store ? BackupInto(*store, m_session.State()) : SaveBackupFn{});
  m_sceneSave->setEnabled(store != nullptr);
  RefillSceneKeys();
}

void CSystemPage::RefillSceneKeys() {
  m_scenes.Refresh();
  const bool shown = m_controller.Tab() == SystemTab::Show;
  for (int k = 0; k < kScenes; ++k) {
    const QString caption = QString::fromStdString(m_scenes.KeyCaption(k));
    m_sceneSlots[k]->setText(caption);
    m_sceneSlots[k]->setToolTip(caption);
    m_sceneSlots[k]->setVisible(shown && !caption.isEmpty());
  }
}

void CSystemPage::SayIfRefused(const BilingualText& refusal) {
  if (!refusal.Empty()) ShowNotice(this, QString::fromStdString(refusal.In(m_language)));
}

void CSystemPage::OnSceneSave() {
  SayIfRefused(m_scenes.Save());
  RefillSceneKeys();
}

void CSystemPage::OnSceneKey(int key) {
  if (m_scenes.SceneOnKey(key) == 0) return;
  const int chosen = CMenuEx::Exec({CMenuEx::Item::Command(Tr(captions::kSceneNameItem), kSceneNameCommand),
                                    CMenuEx::Item::Command(Tr(captions::kSceneRecallItem), kSceneRecallCommand),
                                    CMenuEx::Item::Command(Tr(captions::kSceneDeleteItem), kSceneDeleteCommand)},
                                   QCursor::pos(), this);
  ChooseSceneCommand(key, chosen);
}

void CSystemPage::ChooseSceneCommand(int key, int command) {
  const std::int64_t id = m_scenes.SceneOnKey(key);
  if (id == 0) return;
  switch (command) {
    case kSceneNameCommand: RenameScene(key); break;
    case kSceneRecallCommand: RecallScene(key); break;
    case kSceneDeleteCommand:
      SayIfRefused(m_scenes.Delete(id));
      RefillSceneKeys();
      break;
    default: break;
  }
}

void CSystemPage::RenameScene(int key) {
  const std::int64_t id = m_scenes.SceneOnKey(key);
  const SceneRow& row = m_scenes.Scenes()[static_cast<std::size_t>(key)];
  CNameDlg dlg(QString::fromStdString(row.name), {ParamId::InName, 0, 0}, m_language, this);
  dlg.setWindowTitle(Tr(kNameTitle).arg(id));
  if (dlg.exec() != QDialog::Accepted) return;
  SayIfRefused(m_scenes.Rename(id, dlg.Name().toStdString()));
  RefillSceneKeys();
}

void CSystemPage::RecallScene(int key) {
  if (m_recallDlg || m_recalling) return;
  auto prepared = m_scenes.PrepareRecall(m_scenes.SceneOnKey(key));
  if (const auto* refused = std::get_if<BilingualText>(&prepared)) {
    SayIfRefused(*refused);
    return;
  }
  m_preview = std::get<RecallPreview>(std::move(prepared));
  const QString caption = QString::fromStdString(m_scenes.KeyCaption(key));
  auto* dlg =
      new CSceneDiffDlg(Tr(kRecallTitle).arg(caption), Tr(kNowColumn), Tr(kSceneColumn).arg(m_preview->scene.id),
                        {Tr(captions::kSceneRecallItem), Tr(kCancel)}, m_language, this);
  dlg->setAttribute(Qt::WA_DeleteOnClose);
  dlg->SetRows(DiffRows(m_preview->changes, m_session.State(), m_language));
  if (m_preview->loaded.clamped > 0)
    dlg->SetNote(QString::fromStdString(
        Numbered(Text(captions::kSceneValuesClamped, m_language), m_preview->loaded.clamped)));
  connect(dlg, &CSceneDiffDlg::ActionChosen, this, [this, dlg](int action) {
    if (action != 0) return;
    dlg->accept();
    StartRecall();
  });
  m_recallDlg = dlg;
  dlg->open();
}

void CSystemPage::StartRecall() {
  if (!m_preview) return;
  const BilingualText refused = m_scenes.Recall(*m_preview);
  m_preview.reset();
  if (!refused.Empty()) {
    SayIfRefused(refused);
    return;
  }
  m_recalling = true;
  emit SceneRecallStarted();
  m_poll.start();
  Poll();
}

void CSystemPage::CreateHelpTab() {
  auto& c = m_content[static_cast<int>(SystemTab::Help)];
  m_local = MakeShellButton({}, ButtonLook::Key, this);
  m_local->setObjectName(QStringLiteral("LocalUpdate"));
  // The remote update's key and its version label stand on the tab only when a version page is set.
  m_remote = MakeShellButton({}, ButtonLook::Key, this);
  m_remote->setObjectName(QStringLiteral("RemoteUpdate"));
  m_remote->hide();
  m_recovery = MakeShellButton({}, ButtonLook::Key, this);
  m_recovery->setObjectName(QStringLiteral("RecoveryButton"));
  m_updateProgress = MakeProgressBar(this);
  m_updateProgress->setObjectName(QStringLiteral("UpdateProgress"));
  m_updateStatus = new CValueLabel(this);
  m_updateStatus->setObjectName(QStringLiteral("UpdateStatus"));
  m_updateStatus->SetAlignment(0);
  m_updateStatus->SetFontSize(10);
  m_updateStatus->hide();
  m_backupNote = new CValueLabel(this);
  m_backupNote->setObjectName(QStringLiteral("BackupNote"));
  m_backupNote->SetAlignment(0);
  m_backupNote->SetFontSize(10);
  m_backupNote->hide();
  m_hardware = new CValueLabel(this);
  m_hardware->setObjectName(QStringLiteral("HardwareVersion"));
  m_basic = new CValueLabel(this);
  m_basic->setObjectName(QStringLiteral("BasicVersion"));
  m_offered = new CValueLabel(this);
  m_offered->setObjectName(QStringLiteral("OfferedVersion"));
  m_offered->hide();
  for (CValueLabel* label : {m_hardware, m_basic, m_offered}) {
    label->SetAlignment(0);  // left
    label->SetFontSize(11);
  }
  c = {m_local, m_recovery, m_hardware, m_basic};
  connect(m_recovery, &QAbstractButton::clicked, this, &CSystemPage::OnRecovery);
  connect(m_local, &QAbstractButton::clicked, this, &CSystemPage::OnLocalUpdate);
  connect(m_remote, &QAbstractButton::clicked, this, &CSystemPage::OnRemoteUpdate);
}

void CSystemPage::CreateUnitTab() {
  auto& c = m_content[static_cast<int>(SystemTab::Display)];
  for (int i = 0; i < kUnitButtons; ++i) {
    auto* b = MakeShellButton(QString::fromStdString(UnitButtonCaption(i)), ButtonLook::Group, this);
    b->setObjectName(QStringLiteral("Unit%1").arg(i + 1));
    m_unitButtons[i] = b;
    connect(b, &QAbstractButton::clicked, this, [this, i] { SelectUnit(i); });
  }
  for (int s = 0; s < kUnitSlotBytes; ++s) {
    auto* label = new CValueLabel(this);
    label->SetOpaque(true);
    label->SetBackgroundColor(QColor(kSlotColours[s]));
    label->SetTextColor(Qt::white);
    label->SetAlignment(1);  // centred
    m_slotLabels[s] = label;
    auto* list = new CSkinComboBox(this);
    list->CreateDropList(s);
    list->setObjectName(QStringLiteral("Slot%1").arg(s + 1));
    for (const std::string& entry : SlotEntryCaptions()) list->AddString(QString::fromStdString(entry));
    m_slotLists[s] = list;
    connect(list, &CSkinComboBox::DropdownSelected, this, [this, s](int, int row) { OnSlotChanged(s, row); });
    c.push_back(label);
    c.push_back(list);
  }
  m_call = MakeShellButton({}, ButtonLook::Key, this);
  m_call->setObjectName(QStringLiteral("CallButton"));
  m_resetUnits = MakeShellButton({}, ButtonLook::Key, this);
  m_resetUnits->setObjectName(QStringLiteral("ResetUnitsButton"));
  c.push_back(m_call);
  c.push_back(m_resetUnits);
  m_callDone = new CValueLabel(this);
  m_callDone->setObjectName(QStringLiteral("CallConfirmation"));
  m_callDone->SetAlignment(0);
  m_callDone->SetFontSize(9);
  c.push_back(m_callDone);
  m_callDoneClear.setSingleShot(true);
  connect(&m_callDoneClear, &QTimer::timeout, this, [this] { m_callDone->SetText({}); });
  connect(m_call, &QAbstractButton::clicked, this, [this] {
    if (!m_controller.CallUnit()) return;
    // The unit answers by lighting up; the page says the call went.
    m_callDone->SetText(CaptionText(kCalled, m_language).arg(m_controller.Units().CurrentUnit() + 1, 2, 10, QLatin1Char('0')));
    m_callDoneClear.start(kCallDoneMs);
  });
  connect(m_resetUnits, &QAbstractButton::clicked, this, &CSystemPage::OnResetAllUnits);
}

void CSystemPage::Layout() {
  int x = 24;
  for (int t = 0; t < kSystemTabs; ++t) {
    m_tabs[t]->setVisible(CSystemController::TabOffered(static_cast<SystemTab>(t)));
    if (!m_tabs[t]->isVisibleTo(this)) continue;
    m_tabs[t]->setGeometry(x, kTabTop, kTabWidth, kTabHeight);
    x += kTabWidth + 8;
  }
  const int top = kContentTop;
  const int wide = width() >= 1000;  // the explanation beside the list, or under it on a narrow page
  // CONNECT
  m_ipCaption->setGeometry(24, top, 90, 30);
  m_address->setGeometry(120, top, 180, 30);
  m_ok->setGeometry(310, top, 80, 30);
  m_invalid->setGeometry(400, top, 260, 30);
  m_search->setGeometry(24, top + 46, 120, 40);
  m_connect->setGeometry(160, top + 46, 160, 40);
  m_offline->setGeometry(336, top + 46, 160, 40);
  m_searchProgress->setGeometry(24, top + 100, 272, 20);
  const int listTop = top + 130;
  const int listHeight = std::max(120, std::min(300, height() - listTop - 20));
  m_devices->setGeometry(24, listTop, 272, listHeight);
  if (wide)
    m_explanation->setGeometry(316, top + 100, std::min(620, width() - 340), listHeight + 30);
  else
    m_explanation->setGeometry(316, top + 100, std::max(300, width() - 340), listHeight + 30);
  m_spanCaption->setGeometry(520, top, 110, 30);
  m_spanEdit->setGeometry(630, top, 80, 30);
  m_spanOk->setGeometry(720, top, 60, 30);
  // SHOW
  m_sceneSave->setGeometry(24, top, 120, 36);
  const int sceneCols = std::max(4, std::min(8, (width() - 48) / 130));
  for (int i = 0; i < kScenes; ++i)
    m_sceneSlots[i]->setGeometry(24 + (i % sceneCols) * 130, top + 52 + (i / sceneCols) * 42, 120, 34);
  // HELP
  m_local->setGeometry(24, top, 140, 40);
  m_recovery->setGeometry(180, top, 220, 40);
  m_remote->setGeometry(416, top, 140, 40);
  m_updateProgress->setGeometry(24, top + 56, 376, 20);
  m_updateStatus->setGeometry(24, top + 80, 532, 24);
  m_hardware->setGeometry(24, top + 112, 376, 28);
  m_basic->setGeometry(24, top + 144, 376, 28);
  m_offered->setGeometry(24, top + 176, 376, 28);
  m_backupNote->setGeometry(24, top + 208, 532, 28);
  // DISPLAY: 16 unit buttons in four rows of four, the slot lists to their right
  // Only the first row of unit buttons is ever shown (the model keeps four units).
  for (int i = 0; i < kUnitButtons; ++i) m_unitButtons[i]->setGeometry(24 + (i % 4) * 124, top + (i / 4) * 44, 116, 36);
  const int slotsX = 24 + 4 * 124 + 24;
  for (int s = 0; s < kUnitSlotBytes; ++s) {
    m_slotLabels[s]->setGeometry(slotsX, top + s * 40, 70, 28);
    m_slotLists[s]->setGeometry(slotsX + 80, top + s * 40, 110, 28);
  }
  m_call->setGeometry(slotsX, top + kUnitSlotBytes * 40 + 8, 190, 36);
  m_callDone->setGeometry(slotsX + 200, top + kUnitSlotBytes * 40 + 8, 220, 36);
  m_resetUnits->setGeometry(24, top + 60, 260, 36);
}

void CSystemPage::resizeEvent(QResizeEvent* event) {
  CTitledPage::resizeEvent(event);
  Layout();
}

QString CSystemPage::Tr(const Caption& c) const { return CaptionText(c, m_language); }

void CSystemPage::ApplyLanguage(Language language) {
  m_language = language;
  CTitledPage::ApplyLanguage(language);
  for (int t = 0; t < kSystemTabs; ++t) m_tabs[t]->setText(Tr(captions::kSystemTabCaptions[t]));
  m_ipCaption->SetText(Tr(captions::kDeviceIp));
  m_ok->setText(Tr(kOk));
  m_invalid->SetText(Tr(kBadAddress));
  m_search->setText(Tr(captions::kSearch));
  m_offline->setText(Tr(kOfflineButton));
  m_devices->setHorizontalHeaderLabels({Tr(captions::kDeviceIpColumn), Tr(captions::kPortColumn)});
  m_spanCaption->SetText(Tr(captions::kSpanTime));
  m_spanOk->setText(Tr(kOk));
  m_sceneSave->setText(Tr(captions::kSceneSave));
  m_local->setText(Tr(captions::kLocalUpdate));
  m_remote->setText(Tr(captions::kRemoteUpdate));
  m_recovery->setText(Tr(captions::kRecovery));
  for (int s = 0; s < kUnitSlotBytes; ++s) m_slotLabels[s]->SetText(Tr(kSlotCaption).arg(s + 1));
  m_call->setText(Tr(captions::kUnitCall));
  m_resetUnits->setText(Tr(captions::kResetAllUnits));
  m_shownPhase = SearchPhase::Idle;  // the explanation is rewritten in the new language
  Refresh();
}

void CSystemPage::Refresh(std::uint32_t) {
  const CDeviceState& s = m_session.State();
  if (!m_address->hasFocus()) m_address->setText(QString::fromStdString(s.link.deviceIp));
  if (!m_spanEdit->hasFocus()) m_spanEdit->setText(QString::number(m_controller.SpanTime()));
  const bool online = s.link.online;
  m_connect->setText(Tr(online ? captions::kDisconnect : captions::kConnect));
  m_connect->SetChecked(online);
  ShowUpdateView();
  // The unit count or the link may have changed: the unit keys, slot lists and CALL follow.
  m_controller.RefreshUnits();
  ShowUnits();
  ShowSearch(m_controller.SearchView());
}

void CSystemPage::SelectTab(SystemTab tab) {
  if (!m_controller.SelectTab(tab)) return;
  ShowTabContent();
  ShowUnits();  // the unit keys stand on the DISPLAY tab only
  RefillSceneKeys();  // the scene keys stand on the SHOW tab only, each for a stored scene
  update();
}

void CSystemPage::ShowTabContent() {
  const int current = static_cast<int>(m_controller.Tab());
  for (int t = 0; t < kSystemTabs; ++t) {
    for (QWidget* w : m_content[t]) w->setVisible(t == current);
    m_tabs[t]->SetChecked(t == current);
  }
  m_invalid->hide();
  const SearchStatus status = m_controller.SearchView();
  const bool connectTab = current == static_cast<int>(SystemTab::Connect);
  m_searchProgress->setVisible(connectTab && status.phase == SearchPhase::Probing);
  m_explanation->setVisible(connectTab && (status.Missed() || status.phase == SearchPhase::Failed));
  const bool helpTab = current == static_cast<int>(SystemTab::Help);
  m_updateProgress->setVisible(helpTab && (m_recovering || m_updating));
  m_updateStatus->setVisible(helpTab && m_updating);
  m_backupNote->setVisible(helpTab && !m_backupNote->Text().isEmpty());
  m_remote->setVisible(helpTab && m_update->RemoteOffered());
  m_offered->setVisible(helpTab && m_update->RemoteOffered());
}

void CSystemPage::OnShown() {
  Refresh();
  SelectTab(SystemTab::Connect);
}

bool CSystemPage::PollNeeded(const SearchStatus& status) const {
  // A search, a whole-state push and an update finish without the page; late answers matter only while shown.
  return m_recovering || m_recalling || m_updating || status.phase == SearchPhase::FreeingPort ||
         status.phase == SearchPhase::Probing ||
         (status.phase == SearchPhase::Listening && isVisible());
}

void CSystemPage::OnHidden() {
  if (!PollNeeded(m_controller.SearchView())) m_poll.stop();
}

void CSystemPage::ConfirmAddress() {
  const bool valid = m_controller.ConfirmAddress(m_address->text().trimmed().toStdString());
  m_invalid->setVisible(!valid);
}

void CSystemPage::OnDeviceListClick(int row) {
  if (!m_controller.ChooseFound(row)) return;
  m_address->setText(QString::fromStdString(m_session.State().link.deviceIp));
  m_invalid->hide();
}

void CSystemPage::OnSearch() {
  m_devices->setRowCount(0);
  m_explanation->hide();
  m_controller.Search();
  m_shownPhase = SearchPhase::Idle;
  Poll();
  m_poll.start();
  Refresh();
}

void CSystemPage::ShowSearch(const SearchStatus& status) {
  // Rows are added as answers arrive, each device once.
  if (m_devices->rowCount() > static_cast<int>(status.found.size())) m_devices->setRowCount(0);
  for (int row = m_devices->rowCount(); row < static_cast<int>(status.found.size()); ++row) {
    m_devices->insertRow(row);
    m_devices->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(status.found[row].ip)));
    m_devices->setItem(row, 1, new QTableWidgetItem(QString::number(status.found[row].port)));
  }
  const bool connectTab = m_controller.Tab() == SystemTab::Connect && isVisible();
  const bool probing = status.phase == SearchPhase::Probing || status.phase == SearchPhase::FreeingPort;
  m_searchProgress->setVisible(connectTab && probing);
  m_searchProgress->setValue(
      status.progress.hostsTotal > 0 ? 254 * status.progress.hostsDone / std::max(1, status.progress.hostsTotal) : 0);
  if (status.phase == m_shownPhase) return;
  m_shownPhase = status.phase;
  if (status.phase == SearchPhase::Failed) {
    // The system's own message, with why under it.
    const std::string reason = status.failure.In(m_language);
    ShowNotice(this, QString::fromStdString(TextWithDetail(Text(captions::kWinsockError, m_language), reason)),
               Tr(captions::kWinsockCaption), QMessageBox::Warning);
    m_explanation->setText(QString::fromStdString(reason));
    m_explanation->setVisible(connectTab);
  } else if (status.Missed()) {
    m_explanation->setText(QString::fromStdString(ExplainSearchMiss(status.facts, m_language)));
    m_explanation->setVisible(connectTab);
  } else {
    m_explanation->hide();
  }
}

void CSystemPage::Poll() {
  const SearchStatus status = m_controller.SearchView();
  ShowSearch(status);
  if (m_recovering) {
    const PlanProgress p = m_controller.RecoveryProgress();
    m_updateProgress->setRange(0, std::max(1, p.total));
    m_updateProgress->setValue(p.sent);
    // The full bar stays a moment before the window returns to its first page.
    if (!m_controller.RecoveryRunning() && !m_finishing) {
      m_finishing = true;
      QTimer::singleShot(kShowFullBarMs, this, &CSystemPage::FinishRecovery);
    }
  }
  if (m_recalling && !m_scenes.RecallRunning()) {
    m_recalling = false;
    emit SceneRecallFinished();
  }
  if (m_updating) PollUpdate();
  if (!PollNeeded(status)) m_poll.stop();
}

void CSystemPage::ShowUnits() {
  const int count = m_session.State().unitCount;
  const int current = m_controller.Units().CurrentUnit();
  const bool unitsTab = m_controller.Tab() == SystemTab::Display;
  for (int i = 0; i < kUnitButtons; ++i) {
    const UnitButtonView view = UnitButtonState(i, count);
    m_unitButtons[i]->setVisible(unitsTab && view.visible);
    m_unitButtons[i]->setEnabled(view.enabled);
    m_unitButtons[i]->SetChecked(i == current);
  }
  for (int s = 0; s < kUnitSlotBytes; ++s) {
    m_slotLists[s]->setEnabled(current != kNoUnit);
    m_slotLabels[s]->setEnabled(current != kNoUnit);
    // Without a current unit the lists show NULL, disabled.
    const int index = m_controller.Units().SlotIndex(s);
    m_slotLists[s]->SetCurSel(index >= 0 && index < kSlotEntries ? index : 0);
  }
  // CALL stands ready only when it can go; otherwise it says why.
  const Caption* callRefusal = m_controller.CallRefusal();
  m_call->setEnabled(!callRefusal);
  m_call->setToolTip(callRefusal ? Tr(*callRefusal) : QString());
}

void CSystemPage::SelectUnit(int unit) {
  if (m_controller.Units().SelectUnit(unit)) ShowUnits();
}

void CSystemPage::OnSlotChanged(int slot, int row) {
  if (const Caption* refusal = m_controller.ChangeSlot(slot, row)) {
    // The list shows what the slot really holds.
    m_slotLists[slot]->SetCurSel(m_controller.Units().SlotIndex(slot));
    ShowNotice(this, Tr(*refusal));
  }
}

void CSystemPage::OnResetAllUnits() {
  AskOkCancel(this, Tr(captions::kResetAllUnitsQuestion), [this] {
    m_controller.ResetAllUnits();
    ShowUnits();
  });
}

void CSystemPage::OnRecovery() {
  if (m_recovering) return;
  const bool updating = m_update->Running() || (m_updateRunning && m_updateRunning());
  if (const Caption* refusal = m_controller.RecoveryRefusal(updating)) {
    ShowNotice(this, Tr(*refusal));
    return;
  }
  AskOkCancel(this, Tr(captions::kRecoveryQuestion), [this] {
    if (!m_controller.Recover()) {
      ShowNotice(this, Tr(captions::kPlanRunning));  // a plan started while the question was open
      return;
    }
    m_recovering = true;
    m_recovery->setEnabled(false);
    emit RecoveryStarted();
    m_updateProgress->setRange(0, 1);
    m_updateProgress->setValue(0);
    m_updateProgress->setVisible(m_controller.Tab() == SystemTab::Help);
    m_poll.start();
    Poll();
  });
}

void CSystemPage::FinishRecovery() {
  m_recovering = false;
  m_finishing = false;
  m_recovery->setEnabled(true);
  m_updateProgress->hide();
  emit RecoveryFinished();
  ShowNotice(this, Tr(captions::kRecoveryDone));
}

void CSystemPage::SetUpdateSettings(UpdateSettings settings) {
  m_update->SetSettings(std::move(settings));
  ShowTabContent();
}

void CSystemPage::OnLocalUpdate() {
  if (const Caption* refusal = m_update->Refusal(m_recovering)) {
    ShowNotice(this, Tr(*refusal));
    return;
  }
  AskOkCancel(this, Tr(captions::kUpdateQuestion), [this] { StartUpdate(UpdateKind::Local); });
}

void CSystemPage::OnRemoteUpdate() {
  if (const Caption* refusal = m_update->Refusal(m_recovering)) {
    ShowNotice(this, Tr(*refusal));
    return;
  }
  StartUpdate(UpdateKind::Remote);
}

void CSystemPage::StartUpdate(UpdateKind kind) {
  // The address as typed, confirmed or not, is where the update goes.
  if (!m_update->Start(kind, m_address->text().trimmed().toStdString())) {
    ShowNotice(this, Tr(captions::kUpdateRunning));  // one started while the question was open
    return;
  }
  m_updating = true;
  emit UpdateStarted();
  m_updateProgress->setRange(0, 1);
  m_updateProgress->setValue(0);
  m_updateStatus->SetText({});
  ShowTabContent();
  m_poll.start();
  Poll();
}

bool CSystemPage::PollUpdate() {
  m_update->Tick();
  bool finished = false;
  for (const UpdateEvent& e : m_update->TakeEvents()) {
    const QString text = QString::fromStdString(e.text.In(m_language));
    switch (e.kind) {
      case UpdateEvent::Kind::Message: ShowNotice(this, text, Tr(e.title)); break;
      case UpdateEvent::Kind::Question:
        AskOkCancel(this, text, [this] { m_update->Answer(true); }, [this] { m_update->Answer(false); });
        break;
      case UpdateEvent::Kind::Finished: finished = true; break;
    }
  }
  if (finished) m_updating = false;
  ShowUpdateView();
  if (finished) {
    ShowTabContent();
    emit UpdateFinished();
  }
  return m_updating;
}

void CSystemPage::ShowUpdateView() {
  const UpdateView view = m_update->View();
  const UpdateLabels labels = MakeUpdateLabels(view, m_session.State(), m_language);
  m_hardware->SetText(QString::fromStdString(labels.hardware));
  m_basic->SetText(QString::fromStdString(labels.basic));
  m_offered->SetText(QString::fromStdString(labels.offered));
  m_backupNote->SetText(QString::fromStdString(labels.backup));
  m_backupNote->setVisible(m_controller.Tab() == SystemTab::Help && !labels.backup.empty());
  if (m_updating && view.progress) {
    const ProgressBarValue bar = UpdateProgressBar(*view.progress);
    m_updateProgress->setRange(0, bar.maximum);
    m_updateProgress->setValue(bar.value);
    m_updateStatus->SetText(QString::fromStdString(UpdateProgressText(*view.progress, m_language)));
  }
  // The update holds the port: no connection and no search until it has ended.
  m_connect->setEnabled(!m_updating);
  m_search->setEnabled(!m_updating);
}

}  // namespace orvx
