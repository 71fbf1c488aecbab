// A real window on a private X server: the editor runs its demo against orvx-sim, an operator
// clicks a group key and a view key, takes a screenshot and quits; the simulator must have seen
// the orderly "%Q" 00 at the end, and so after a termination signal.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <optional>

namespace {

constexpr int kStepLimitMs = 15000;

QString Tool(const char* name) { return QStandardPaths::findExecutable(QString::fromLatin1(name)); }

/// Runs a short tool to its end (bounded); returns its stdout, or nothing when it failed.
std::optional<QString> RunTool(const QString& program, const QStringList& args, const QProcessEnvironment& env) {
  QProcess p;
  p.setProcessEnvironment(env);
  p.start(program, args);
  if (!p.waitForFinished(kStepLimitMs) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    p.kill();
    p.waitForFinished(1000);
    return std::nullopt;
  }
  return QString::fromLocal8Bit(p.readAllStandardOutput());
}

/// Polls `done` every 100 ms until it holds or the limit passes.
template <class F>
bool WaitUntil(F done, int limitMs = kStepLimitMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > limitMs) return false;
    QThread::msleep(100);
  }
  return true;
}

/// Stops a child process the orderly way, then for good.
void StopChild(QProcess& p) {
  if (p.state() == QProcess::NotRunning) return;
  p.terminate();
  if (!p.waitForFinished(3000)) {
    p.kill();
    p.waitForFinished(3000);
  }
}

class EditorSmokeTest : public ::testing::Test {
protected:
  void TearDown() override {
    StopChild(m_editor);
    StopChild(m_xvfb);
  }

  /// A private X server and the demo editor on it, online with the simulator; the editor's log so
  /// far in m_log. Skips when the tools or the programs are missing.
  void StartOnline() {
    const QString xvfb = Tool("Xvfb");
    m_xdotool = Tool("xdotool");
    m_import = Tool("import");
    if (xvfb.isEmpty() || m_xdotool.isEmpty() || m_import.isEmpty()) GTEST_SKIP() << "needs Xvfb, xdotool and import";
    const QString binDir = qEnvironmentVariable("ORVX_BIN_DIR");
    const QString editor = QDir(binDir).filePath(QStringLiteral("orvx-editor"));
    if (!QFileInfo(editor).isExecutable() ||
        !QFileInfo(QDir(binDir).filePath(QStringLiteral("orvx-sim"))).isExecutable())
      GTEST_SKIP() << "orvx-editor and orvx-sim are not built in " << binDir.toStdString();

    // A free display number, chosen by the server itself and written to its stdout.
    m_xvfb.start(xvfb,
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                  QStringLiteral("1920x1080x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QByteArray number;
    ASSERT_TRUE(WaitUntil([&] {
      m_xvfb.waitForReadyRead(100);
      number += m_xvfb.readAllStandardOutput();
      return number.contains('\n') || m_xvfb.state() == QProcess::NotRunning;
    }));
    ASSERT_TRUE(number.contains('\n')) << "Xvfb did not start";
    const QString display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());

    ASSERT_TRUE(m_home.isValid());
    m_env = QProcessEnvironment::systemEnvironment();
    m_env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    m_env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    m_env.insert(QStringLiteral("DISPLAY"), display);
    m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
    m_env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
    // Only read by sanitizer builds: leaks inside system libraries are not the editor's.
    const QString here = QStringLiteral(ORVX_SOURCE_DIR "/tests/gui");
    m_env.insert(QStringLiteral("LSAN_OPTIONS"), QStringLiteral("suppressions=") + here + QStringLiteral("/lsan.supp"));

    m_editorPath = editor;
    StartEditor();
  }
  /// The demo editor (again) on the display, online with the simulator; m_log holds its log.
  void StartEditor() {
    m_log.clear();
    m_editor.setProcessEnvironment(m_env);
    m_editor.start(m_editorPath, {QStringLiteral("--demo")});
    ASSERT_TRUE(m_editor.waitForStarted(kStepLimitMs));
    // The simulator logs every frame it receives on the editor's stderr.
    ASSERT_TRUE(WaitUntil([&] {
      m_editor.waitForReadyRead(50);
      return LogHas("%Q,01,01,");
    })) << "the editor never came online:\n"
        << m_log.toStdString();
    ASSERT_EQ(m_editor.state(), QProcess::Running) << m_log.toStdString();
  }
  bool LogHas(const char* text) {
    m_log += m_editor.readAllStandardError();
    return m_log.contains(text) || m_editor.state() == QProcess::NotRunning;
  }
  /// Waits for the editor's end and checks it was the orderly one: exit code 0 and "%Q" 00 sent
  /// after going online.
  void ExpectOrderlyEnd() {
    ASSERT_TRUE(m_editor.waitForFinished(kStepLimitMs)) << "the editor did not end";
    m_log += m_editor.readAllStandardError();
    EXPECT_EQ(m_editor.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_editor.exitCode(), 0) << m_log.toStdString();
    const qsizetype online = m_log.indexOf("%Q,01,01,");
    EXPECT_GT(m_log.indexOf("%Q,01,00,", online), online) << "no \"%Q\" 00 after going online:\n"
                                                          << m_log.toStdString();
  }

  QProcess m_xvfb;
  QProcess m_editor;
  QByteArray m_log;
  QTemporaryDir m_home;
  QProcessEnvironment m_env;
  QString m_xdotool;
  QString m_import;
  QString m_editorPath;
};

TEST_F(EditorSmokeTest, DemoConnectsNavigatesAndClosesOrderlyByKeyAndBySignal) {
  StartOnline();
  if (IsSkipped() || HasFatalFailure()) return;
  QString window;
  ASSERT_TRUE(WaitUntil([&] {
    window = RunTool(m_xdotool, {QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("ORVX-64Q")}, m_env)
                 .value_or(QString())
                 .section(QLatin1Char('\n'), 0, 0)
                 .trimmed();
    return !window.isEmpty();
  }));

  auto shot = [&](const QString& name) {
    const QString path = m_home.filePath(name);
    EXPECT_TRUE(RunTool(m_import, {QStringLiteral("-window"), QStringLiteral("root"), path}, m_env).has_value());
    return QImage(path);
  };
  auto clickAt = [&](int x, int y) {
    EXPECT_TRUE(RunTool(m_xdotool,
                        {QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(x),
                         QString::number(y), QStringLiteral("click"), QStringLiteral("1")},
                        m_env)
                    .has_value());
    QThread::msleep(300);  // let the click be handled before the next picture
  };

  // The window fills 1920 x 1080, so W = 182: group key 4 sits at 1.5W + 400, view key MATRIX at W.
  const QImage before = shot(QStringLiteral("before.png"));
  clickAt(273 + 400 + 50, 35);
  const QImage outputs = shot(QStringLiteral("outputs.png"));
  clickAt(182 + 91, 145);
  const QImage matrix = shot(QStringLiteral("matrix.png"));
  ASSERT_FALSE(before.isNull());
  EXPECT_EQ(before.size(), QSize(1920, 1080));
  EXPECT_NE(before, outputs) << "the group key changed nothing";
  EXPECT_NE(outputs, matrix) << "the view key changed nothing";

  // Quit with the keyboard (no window manager runs here), then the orderly end.
  EXPECT_TRUE(
      RunTool(m_xdotool, {QStringLiteral("key"), QStringLiteral("--window"), window, QStringLiteral("ctrl+q")}, m_env)
          .has_value());
  ExpectOrderlyEnd();

  // A termination signal ends it the same orderly way (one test: the demo's addresses are fixed).
  StartEditor();
  if (HasFatalFailure()) return;
  m_editor.terminate();  // SIGTERM
  ExpectOrderlyEnd();
}

}  // namespace
