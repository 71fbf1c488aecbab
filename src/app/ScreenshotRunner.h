#pragma once
/// Renders every view of the main window at 1920x1080 to PNG files (one per view and language).

#include <QString>
#include <QStringList>
#include <optional>

#include "core/DeviceState.h"

class QWidget;

namespace orvx {

class CMainDlg;
class IShellSession;

class CScreenshotRunner {
public:
  static constexpr int kWidth = 1920;
  static constexpr int kHeight = 1080;

  CScreenshotRunner(CMainDlg& dlg, IShellSession& session) : m_dlg(dlg), m_session(session) {}

  /// Waits (bounded) until the session is online and meters move; false when it never came online.
  bool WaitUntilLive(int limitMs);
  /// Writes the PNGs into `dir` (created), in `only` or both languages. Returns the paths, or
  /// an empty list with `error` set.
  QStringList Run(const QString& dir, std::optional<Language> only, QString& error);

private:
  bool Save(QWidget* widget, const QString& path, QString& error);

  CMainDlg& m_dlg;
  IShellSession& m_session;
};

}  // namespace orvx
