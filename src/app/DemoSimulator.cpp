#include "app/DemoSimulator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

namespace orvx {

namespace {
constexpr int kStartLimitMs = 3000;
constexpr int kStopLimitMs = 2000;
}  // namespace

QString CDemoSimulator::Start(const QString& binDir, const QString& ip, int port) {
  const QString program = QDir(binDir).filePath(QStringLiteral("orvx-sim"));
  if (!QFileInfo(program).isExecutable()) return QStringLiteral("cannot find %1").arg(program);
  // Several microphones talk so the meters and the automatic mixer show something; four
  // conference units are present so the units tab can be tried.
  m_process.setProgram(program);
  m_process.setArguments({QStringLiteral("--ip"), ip, QStringLiteral("--port"), QString::number(port),
                          QStringLiteral("--talkers"), QStringLiteral("1,2,3,5"), QStringLiteral("--units"),
                          QStringLiteral("4")});
  m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  m_process.start();
  if (!m_process.waitForStarted(kStartLimitMs)) return QStringLiteral("cannot start %1").arg(program);
  // It prints "listening on ..." once its socket is bound.
  QElapsedTimer clock;
  clock.start();
  QByteArray out;
  while (clock.elapsed() < kStartLimitMs && !out.contains("listening")) {
    if (!m_process.waitForReadyRead(100) && m_process.state() == QProcess::NotRunning) break;
    out += m_process.readAllStandardOutput();
  }
  if (!out.contains("listening")) {
    Stop();
    return QStringLiteral("orvx-sim did not start listening on %1:%2").arg(ip).arg(port);
  }
  return {};
}

void CDemoSimulator::Stop() {
  if (m_process.state() == QProcess::NotRunning) return;
  m_process.terminate();
  if (!m_process.waitForFinished(kStopLimitMs)) {
    m_process.kill();
    m_process.waitForFinished(kStopLimitMs);
  }
}

}  // namespace orvx
