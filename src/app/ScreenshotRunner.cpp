#include "app/ScreenshotRunner.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QPixmap>
#include <functional>
#include <memory>
#include <vector>

#include "pages/AboutDlg.h"
#include "pages/CompareView.h"
#include "pages/GroupPage.h"
#include "pages/MainDlg.h"
#include "pages/SystemPage.h"
#include "pages/MixerSidePanel.h"
#include "pages/PageMessages.h"
#include "ui/PngButton.h"
#include "session/ShellSession.h"

namespace orvx {

namespace {

/// Runs the event loop for `ms` so timers (meters, supervision) run.
void Pump(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

/// How long the comparison's read may take before its dialog is shown as it is.
constexpr int kCompareLimitMs = 4000;

void ShowSystemTab(CMainDlg& d, SystemTab tab) {
  d.PressView(ViewButton::System);
  d.SystemPage()->SelectTab(tab);
}

struct Shot {
  const char* name;
  std::function<void(CMainDlg&)> show;
  /// What to grab when it is not the window (a dialog the shot opened); null: the window.
  std::function<QDialog*(CMainDlg&)> dialog = nullptr;
  std::function<void(CMainDlg&)> after = {};  ///< once the view is saved
};

}  // namespace

bool CScreenshotRunner::WaitUntilLive(int limitMs) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < limitMs && !m_session.LampLit()) QApplication::processEvents(QEventLoop::AllEvents, 20);
  if (!m_session.LampLit()) return false;
  // A few meter reports so the strips show live levels.
  Pump(600);
  return true;
}

void CScreenshotRunner::Search(CMainDlg& d) {
  d.PressView(ViewButton::System);
  d.SystemPage()->OnSearch();
  // Bounded: the link lets go of the port, then every host is probed twice.
  QElapsedTimer clock;
  clock.start();
  auto ended = [this] {
    const SearchPhase phase = m_session.Search().phase;
    return phase == SearchPhase::Listening || phase == SearchPhase::Failed || phase == SearchPhase::Idle;
  };
  while (clock.elapsed() < kSearchLimitMs && !ended()) QApplication::processEvents(QEventLoop::AllEvents, 20);
  Pump(300);
}

void CScreenshotRunner::ShowUpdate(CMainDlg& d) {
  ShowSystemTab(d, SystemTab::Help);
  CSystemPage* page = d.SystemPage();
  page->OnLocalUpdate();
  if (QMessageBox* question = OpenPageMessage(page)) question->button(QMessageBox::Ok)->click();
  QElapsedTimer clock;
  clock.start();
  auto blocksShown = [page] {
    const UpdateView view = page->Update().View();
    return !view.running || (view.progress && view.progress->blocksDone >= 2);
  };
  while (clock.elapsed() < kUpdateShowLimitMs && !blocksShown()) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void CScreenshotRunner::FinishUpdate(CMainDlg& d) {
  CSystemPage* page = d.SystemPage();
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < kUpdateEndLimitMs && page->Update().Running())
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  Pump(200);
  while (QMessageBox* box = OpenPageMessage(page)) box->done(QMessageBox::Ok);
}

bool CScreenshotRunner::Save(QWidget* widget, QWidget* over, const QString& path, QString& error) {
  QPixmap pixmap = widget->grab();
  if (over && !pixmap.isNull()) {
    // A dialog as the operator sees it: centred over the window.
    const QPixmap top = over->grab();
    QPainter painter(&pixmap);
    painter.drawPixmap((pixmap.width() - top.width()) / 2, (pixmap.height() - top.height()) / 2, top);
  }
  if (pixmap.isNull() || !pixmap.save(path, "PNG")) {
    error = QStringLiteral("cannot write %1").arg(path);
    return false;
  }
  return true;
}

QStringList CScreenshotRunner::Run(const QString& dir, std::optional<Language> only, QString& error) {
  if (!QDir().mkpath(dir)) {
    error = QStringLiteral("cannot create %1").arg(dir);
    return {};
  }
  const std::vector<Shot> shots = {
      {"channel-inputs-1-8", [](CMainDlg& d) { d.PressGroup(1); }},
      {"channel-inputs-9-12", [](CMainDlg& d) { d.PressGroup(2); }},
      {"channel-effect-returns", [](CMainDlg& d) { d.PressGroup(3); }},
      {"channel-outputs", [](CMainDlg& d) { d.PressGroup(4); }},
      {"system", [](CMainDlg& d) { d.PressView(ViewButton::System); }},
      {"matrix", [](CMainDlg& d) { d.PressView(ViewButton::Matrix); }},
      {"mode", [](CMainDlg& d) { d.PressView(ViewButton::Mode); }},
      {"groups", [](CMainDlg& d) { d.PressView(ViewButton::Groups); }},
      {"groups-selected",
       [](CMainDlg& d) {
         // Selected in every language's pass (a second press would deselect).
         d.PressView(ViewButton::Groups);
         if (d.GroupPage()->SelectedControlGroup() != 0) d.GroupPage()->PressControlGroup(0);
         if (d.GroupPage()->SelectedMuteGroup() != 0) d.GroupPage()->PressMuteGroup(0);
       }},
      {"phantom", [](CMainDlg& d) { d.ShowPhantom(); }},
      {"input-channel-view", [](CMainDlg& d) { d.ShowInputChannelView(0, 2); }},
      {"input-sends-view", [](CMainDlg& d) { d.ShowInputChannelView(2, 4); }},
      {"input-dynamics-view", [](CMainDlg& d) { d.ShowInputChannelView(1, 1); }},
      {"effect-view", [](CMainDlg& d) { d.ShowInputChannelView(kDelayRecord, 3); }},
      {"output-channel-view", [](CMainDlg& d) { d.ShowOutputChannelView(0, 2); }},
      {"output-limiter-view", [](CMainDlg& d) { d.ShowOutputChannelView(4, 1); }},
      {"overview-system",
       [](CMainDlg& d) {
         d.PressGroup(1);
         d.SidePanel()->KeyButton(CMixerSidePanel::Key::System)->click();
       }},
      {"side-panel-aux",
       [](CMainDlg& d) {
         d.PressGroup(1);
         d.SidePanel()->KeyButton(CMixerSidePanel::Key::Aux)->click();
         d.SidePanel()->BusKey(3)->click();
       }},
      {"system-show", [](CMainDlg& d) { ShowSystemTab(d, SystemTab::Show); }},
      // The recall of the first stored scene, as it asks before anything changes.
      {"system-show-recall",
       [](CMainDlg& d) {
         ShowSystemTab(d, SystemTab::Show);
         d.SystemPage()->ChooseSceneCommand(0, CSystemPage::kSceneRecallCommand);
       },
       [](CMainDlg& d) -> QDialog* { return d.SystemPage()->RecallDialog(); }},
      {"compare-with-processor",
       [](CMainDlg& d) {
         d.CompareWithProcessor();
         QElapsedTimer clock;
         clock.start();
         while (clock.elapsed() < kCompareLimitMs && d.Compare()->Dialog() &&
                d.Compare()->Sync().Phase() == FreshReadPhase::Reading)
           QApplication::processEvents(QEventLoop::AllEvents, 20);
       },
       [](CMainDlg& d) -> QDialog* { return d.Compare()->Dialog(); }},
      {"system-help", [](CMainDlg& d) { ShowSystemTab(d, SystemTab::Help); }},
      {"system-units", [](CMainDlg& d) { ShowSystemTab(d, SystemTab::Display); }},
      {"overview-group-view",
       [](CMainDlg& d) {
         d.PressGroup(1);
         d.SidePanel()->KeyButton(CMixerSidePanel::Key::Group)->click();
         d.SidePanel()->BlockKey(1, 2)->click();
       }},
      // Last: an update and a search take the port from the link, so the views after them are offline.
      {.name = "system-update",
       .show = [this](CMainDlg& d) { ShowUpdate(d); },
       .after = [this](CMainDlg& d) { FinishUpdate(d); }},
      {"system-search", [this](CMainDlg& d) { Search(d); }},
  };
  std::vector<Language> languages;
  if (only)
    languages = {*only};
  else
    languages = {Language::English, Language::Chinese};

  // Only a run that was connected (the demo, a given --device) connects again after the search; an
  // offline run never reaches for the address the profile holds.
  const bool linked = m_session.State().link.online || m_session.State().link.connecting;
  m_dlg.resize(m_width, m_height);
  m_dlg.show();
  QStringList paths;
  for (Language language : languages) {
    m_dlg.ApplyLanguage(language);
    const QString prefix = language == Language::Chinese ? QStringLiteral("zh") : QStringLiteral("en");
    int n = 1;
    for (const Shot& shot : shots) {
      if (!m_filter.isEmpty() && !QLatin1String(shot.name).contains(m_filter)) {
        ++n;
        continue;
      }
      shot.show(m_dlg);
      Pump(120);  // a few meter frames
      QDialog* dialog = shot.dialog ? shot.dialog(m_dlg) : nullptr;
      if (shot.dialog && !dialog) {
        ++n;  // nothing to show (no stored scene, no processor)
        continue;
      }
      const QString path = QDir(dir).filePath(
          QStringLiteral("%1-%2-%3.png").arg(prefix).arg(n++, 2, 10, QLatin1Char('0')).arg(QLatin1String(shot.name)));
      if (!Save(&m_dlg, dialog, path, error)) return {};
      paths << path;
      if (dialog) dialog->reject();
      if (shot.after) shot.after(m_dlg);
    }
    std::unique_ptr<CAboutDlg> about(m_dlg.CreateAboutDlg());
    about->show();
    Pump(50);
    const QString path =
        QDir(dir).filePath(QStringLiteral("%1-%2-about.png").arg(prefix).arg(n, 2, 10, QLatin1Char('0')));
    if (!Save(about.get(), nullptr, path, error)) return {};
    paths << path;
    about->hide();
    // The search took the port: connect again so the next language's views are live.
    if (linked && !m_session.LampLit() && !m_session.State().link.deviceIp.empty()) {
      m_dlg.OnConnect();
      WaitUntilLive(5000);
    }
  }
  m_dlg.PressGroup(1);
  return paths;
}

}  // namespace orvx
