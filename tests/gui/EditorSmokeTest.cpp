// A real window on a private X server: the editor runs its demo against orvx-sim, an operator
// clicks a group key and a view key, takes a screenshot and quits; the simulator must have seen
// the orderly "%Q" 00 at the end.
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
  QProcess m_xvfb;
  QProcess m_editor;
};

TEST_F(EditorSmokeTest, DemoConnectsNavigatesAndClosesOrderly) {
  const QString xvfb = Tool("Xvfb"), xdotool = Tool("xdotool"), import = Tool("import");
  if (xvfb.isEmpty() || xdotool.isEmpty() || import.isEmpty()) GTEST_SKIP() << "needs Xvfb, xdotool and import";
  const QString binDir = qEnvironmentVariable("ORVX_BIN_DIR");
  const QString editor = QDir(binDir).filePath(QStringLiteral("orvx-editor"));
  if (!QFileInfo(editor).isExecutable() || !QFileInfo(QDir(binDir).filePath(QStringLiteral("orvx-sim"))).isExecutable())
    GTEST_SKIP() << "orvx-editor and orvx-sim are not built in " << binDir.toStdString();

  // A free display number, chosen by the server itself and written to its stdout.
  m_xvfb.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                      QStringLiteral("1920x1080x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
  QByteArray number;
  ASSERT_TRUE(WaitUntil([&] {
    m_xvfb.waitForReadyRead(100);
    number += m_xvfb.readAllStandardOutput();
    return number.contains('\n') || m_xvfb.state() == QProcess::NotRunning;
  }));
  ASSERT_TRUE(number.contains('\n')) << "Xvfb did not start";
  const QString display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());

  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove(QStringLiteral("QT_QPA_PLATFORM"));
  env.remove(QStringLiteral("WAYLAND_DISPLAY"));
  env.insert(QStringLiteral("DISPLAY"), display);
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
  env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
  // Only read by sanitizer builds: leaks inside system libraries are not the editor's.
  const QString here = QStringLiteral(ORVX_SOURCE_DIR "/tests/gui");
  env.insert(QStringLiteral("LSAN_OPTIONS"), QStringLiteral("suppressions=") + here + QStringLiteral("/lsan.supp"));

  m_editor.setProcessEnvironment(env);
  m_editor.start(editor, {QStringLiteral("--demo")});
  ASSERT_TRUE(m_editor.waitForStarted(kStepLimitMs));

  // The simulator logs every frame it receives on the editor's stderr.
  QByteArray log;
  auto logHas = [&](const char* text) {
    log += m_editor.readAllStandardError();
    return log.contains(text) || m_editor.state() == QProcess::NotRunning;
  };
  ASSERT_TRUE(WaitUntil([&] {
    m_editor.waitForReadyRead(50);
    return logHas("%Q,01,01,");
  })) << "the editor never came online:\n"
      << log.toStdString();
  ASSERT_EQ(m_editor.state(), QProcess::Running) << log.toStdString();

  QString window;
  ASSERT_TRUE(WaitUntil([&] {
    window = RunTool(xdotool, {QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("ORVX-64Q")}, env)
                 .value_or(QString())
                 .section(QLatin1Char('\n'), 0, 0)
                 .trimmed();
    return !window.isEmpty();
  }));

  auto shot = [&](const QString& name) {
    const QString path = home.filePath(name);
    EXPECT_TRUE(RunTool(import, {QStringLiteral("-window"), QStringLiteral("root"), path}, env).has_value());
    return QImage(path);
  };
  auto clickAt = [&](int x, int y) {
    EXPECT_TRUE(RunTool(xdotool,
                        {QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(x),
                         QString::number(y), QStringLiteral("click"), QStringLiteral("1")},
                        env)
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
      RunTool(xdotool, {QStringLiteral("key"), QStringLiteral("--window"), window, QStringLiteral("ctrl+q")}, env)
          .has_value());
  ASSERT_TRUE(m_editor.waitForFinished(kStepLimitMs)) << "the editor did not end";
  log += m_editor.readAllStandardError();
  EXPECT_EQ(m_editor.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(m_editor.exitCode(), 0) << log.toStdString();
  const qsizetype online = log.indexOf("%Q,01,01,");
  EXPECT_GT(log.indexOf("%Q,01,00,", online), online) << "no \"%Q\" 00 after going online:\n" << log.toStdString();
}

}  // namespace
