// orvx-editor: the desktop editor for the ORVX-64Q.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QIcon>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/AppPaths.h"
#include "app/DemoSimulator.h"
#include "app/FramePump.h"
#include "app/IniProfile.h"
#include "app/InstalledFiles.h"
#include "app/ScreenshotRunner.h"
#include "app/TerminationWatch.h"
#include "device/SceneStore.h"
#include "link/FreeTypeGlyphRenderer.h"
#include "pages/MainDlg.h"
#include "pages/SystemPage.h"
#include "session/AppOptions.h"
#include "session/EditorSession.h"
#include "session/ProfileRules.h"

namespace {

constexpr int kDemoOnlineLimitMs = 3000;

bool HasDisplay() { return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"); }

std::vector<std::string> Arguments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return args;
}

/// Where the SYSTEM page's search looks: a subnet given on the command line (the demo's is the
/// loopback one), or the PC's active non-loopback interface. The listener binds the link's address.
void ConfigureSearch(orvx::CEditorSession& session, const orvx::AppOptions& options, const orvx::LinkSettings& link) {
  using namespace orvx;
  SearchSettings settings;
  settings.localIp = link.localIp;
  std::optional<std::string> prefix = options.searchSubnet;
  if (!prefix && options.demo) prefix = "127.0.0";
  if (!prefix) {
    session.SetSearchSubnets(std::make_unique<CSystemSubnetProvider>(), settings);
    return;
  }
  SearchSubnet subnet;
  subnet.interfaceName = *prefix == "127.0.0" ? "lo" : "";
  subnet.prefix = *prefix;
  // The PC's own address is skipped when it lies in the searched subnet.
  if (auto own = SubnetOf(link.localIp); own && own->prefix == *prefix) {
    subnet.ownIp = link.localIp;
    subnet.ownHost = own->ownHost;
  }
  session.SetSearchSubnets(std::make_unique<CFixedSubnetProvider>(subnet), settings);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace orvx;
  QElapsedTimer startClock;
  startClock.start();

  const AppOptionsResult parsed = ParseAppOptions(Arguments(argc, argv));
  if (!parsed.error.empty()) {
    std::cerr << "orvx-editor: " << parsed.error << "\n" << AppUsage();
    return 2;
  }
  const AppOptions& options = parsed.options;
  if (options.help) {
    std::cout << AppUsage();
    return 0;
  }
  // Screenshots need no screen: render offscreen when there is none.
  if (options.screenshotDir && !HasDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");

  QApplication app(argc, argv);
  // The skin lives in a static library: pull its resources in explicitly.
  Q_INIT_RESOURCE(skin);
  QApplication::setApplicationName(QStringLiteral("orvx-editor"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/orvx-editor.png")));
#ifdef ORVX_SHARE_FROM_BIN
  const InstalledFiles installed =
      FindInstalledFiles(QApplication::applicationDirPath(), QStringLiteral(ORVX_SHARE_FROM_BIN));
#else
  const InstalledFiles installed;
#endif
  UseInstalledFiles(installed);
  // The processor's name glyphs in the installed CJK font; otherwise the session asks fontconfig.
  std::unique_ptr<CFreeTypeGlyphRenderer> nameGlyphs;
  if (!installed.nameFont.isEmpty())
    nameGlyphs = std::make_unique<CFreeTypeGlyphRenderer>(installed.nameFont.toStdString());

  const QString dataDir = DataDirectory(options.dataDir ? QString::fromStdString(*options.dataDir) : QString());
  if (!EnsureDirectory(dataDir)) {
    std::cerr << "orvx-editor: cannot create the data directory " << dataDir.toStdString() << "\n";
    return 1;
  }
  CIniProfile profile(ProfilePath());

  CDemoSimulator simulator;
  if (options.demo) {
    const QString error = simulator.Start(QApplication::applicationDirPath(),
                                          QString::fromLatin1(AppOptions::kDemoDeviceIp), AppOptions::kDemoPort);
    if (!error.isEmpty()) {
      std::cerr << "orvx-editor: demo: " << error.toStdString() << "\n";
      return 1;
    }
  }

  LinkSettings link;
  if (options.localIp)
    link.localIp = *options.localIp;
  else if (options.demo)
    link.localIp = AppOptions::kDemoLocalIp;

  SteadyClock clock;
  CFramePump pump;
  CEditorSession session(link, clock, [&pump] { pump.Wake(); }, nullptr, nameGlyphs.get());
  ConfigureSearch(session, options, link);

  const Language language = options.language.value_or(
      ChineseFromProfile(profile.Read(kProfileSection, kProfileLanguage)) ? Language::Chinese : Language::English);
  session.State().language = language;

  std::unique_ptr<CSceneStore> scenes;  // outlives the window that shows them
  CMainDlg dlg(session, profile);
  // The local update's images lie in the data directory, and the remote update's downloads go there.
  dlg.SystemPage()->SetUpdateSettings(
      {dataDir.toStdString(), profile.Read(kProfileSection, kProfileVersionPage).value_or(std::string())});
  // After the window reset the state to its start-up values: what only the editor keeps comes back.
  session.KeepValuesIn(QDir(dataDir).filePath(QStringLiteral("kept-values.txt")).toStdString());
  if (const std::string error = session.OpenPresets(dataDir.toStdString()); !error.empty())
    std::cerr << "orvx-editor: the preset library is not available: " << error << "\n";
  // The preset library holds the scene list; without it the SHOW tab offers nothing.
  if (CPresetDatabase* library = session.Presets())
    scenes = std::make_unique<CSceneStore>(*library, dataDir.toStdString());
  dlg.SetSceneStore(scenes.get());
  // The window's timers share the reports' wake-ups (the pump runs only once the event loop does).
  pump.SetHandler([&session, &dlg] {
    session.ProcessPendingFrames();
    dlg.ReportsTaken();
  });
  // Addresses given on the command line hold for this run; only a confirmed address is stored.
  if (options.demo) session.State().link.deviceIp = AppOptions::kDemoDeviceIp;
  if (options.deviceIp) session.State().link.deviceIp = *options.deviceIp;
  // Screenshots of a given processor (loopback in tests and docs) show it connected, as the demo's do.
  const bool screenshotOfDevice = options.screenshotDir && options.deviceIp;
  if (options.demo || screenshotOfDevice) dlg.OnConnect();

  if (options.screenshotDir) {
    CScreenshotRunner shots(dlg, session, options.screenshotWidth, options.screenshotHeight);
    shots.SetFilter(QString::fromStdString(options.screenshotOnly));
    if ((options.demo || screenshotOfDevice) && !shots.WaitUntilLive(kDemoOnlineLimitMs))
      std::cerr << "orvx-editor: the simulator did not answer; screenshots show the editor offline\n";
    QString error;
    const QStringList paths = shots.Run(QString::fromStdString(*options.screenshotDir), options.language, error);
    if (paths.isEmpty()) {
      std::cerr << "orvx-editor: " << error.toStdString() << "\n";
      return 1;
    }
    for (const QString& p : paths) std::cout << p.toStdString() << "\n";
    dlg.close();  // the orderly end: "%Q" 00 and the receive thread stopped
    while (!dlg.CloseFinished()) QApplication::processEvents(QEventLoop::AllEvents, 20);
    return 0;
  }

  if (qEnvironmentVariableIsSet("ORVX_STARTUP_REPORT")) {
    // First paint: the next pass of the event loop after the window was shown.
    QTimer::singleShot(0, &dlg, [&startClock] {
      std::fprintf(stderr, "orvx-editor: first window painted after %lld ms\n",
                   static_cast<long long>(startClock.elapsed()));
    });
  }
  CTerminationWatch termination([&dlg] { dlg.CloseInOrder(CMainDlg::PlanOnClose::Stop); });
  // Without a window manager "maximised" means nothing: take the whole screen first.
  if (QScreen* screen = QApplication::primaryScreen()) dlg.setGeometry(screen->availableGeometry());
  dlg.showMaximized();
  return QApplication::exec();
}
