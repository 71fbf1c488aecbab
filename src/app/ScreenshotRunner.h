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
  CScreenshotRunner(CMainDlg& dlg, IShellSession& session, int width = 1920, int height = 1080)
      : m_dlg(dlg), m_session(session), m_width(width), m_height(height) {}
  /// Renders only the views whose file name contains `part` (empty: all).
  void SetFilter(const QString& part) { m_filter = part; }

  /// Waits (bounded) until the session is online and meters move; false when it never came online.
  bool WaitUntilLive(int limitMs);
  /// Writes the PNGs into `dir` (created), in `only` or both languages. Returns the paths, or
  /// an empty list with `error` set.
  QStringList Run(const QString& dir, std::optional<Language> only, QString& error);

private:
  static constexpr int kSearchLimitMs = 8000;
  /// The update's first image starts after its answer's silence (about 5 s).
  static constexpr int kUpdateShowLimitMs = 20000;
  static constexpr int kUpdateEndLimitMs = 90000;
  /// LOCAL on the HELP tab, confirmed, until a few blocks have gone (or it ended).
  void ShowUpdate(CMainDlg& d);
  /// Waits (bounded) for a running update to end and closes its messages.
  void FinishUpdate(CMainDlg& d);
  /// The SYSTEM page's search, until its probe has ended (found devices or the explanation).
  void Search(CMainDlg& d);
  /// Writes `widget` as a PNG, with `over` (a dialog, or null) drawn centred over it.
  bool Save(QWidget* widget, QWidget* over, const QString& path, QString& error);

  CMainDlg& m_dlg;
  IShellSession& m_session;
  int m_width;
  int m_height;
  QString m_filter;
};

}  // namespace orvx
