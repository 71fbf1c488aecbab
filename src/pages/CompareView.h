#pragma once
/// "Compare with processor" on screen: starts the fresh read, shows the differences in the diff
/// dialog when it has come, and carries out the operator's choice (send the editor's values, take
/// the processor's). After a send it compares again, so what is left (frames lost again) shows.
/// The rules are CProcessorSync's; this only shows them.

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "core/DeviceState.h"
#include "pages/SceneDiffDlg.h"
#include "session/ProcessorSync.h"

class QWidget;

namespace orvx {

class CCompareView : public QObject {
  Q_OBJECT
public:
  static constexpr int kPollMs = 50;
  enum Action { kSend = 0, kTake = 1, kClose = 2 };

  CCompareView(IShellSession& session, QWidget* window);

  /// Opens the dialog and starts the read (a refusal shows as a notice instead).
  void Start(Language language);
  /// The dialog while it is open.
  CSceneDiffDlg* Dialog() const { return m_dlg; }
  CProcessorSync& Sync() { return m_sync; }

private:
  void Poll();
  void Choose(int action);

  IShellSession& m_session;
  QWidget* m_window;
  CProcessorSync m_sync;
  QPointer<CSceneDiffDlg> m_dlg;
  QTimer m_poll;
  Language m_language = Language::English;
  bool m_sending = false;
};

}  // namespace orvx
