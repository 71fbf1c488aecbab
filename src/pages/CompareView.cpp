#include "pages/CompareView.h"

#include "pages/CaptionText.h"
#include "pages/PageMessages.h"
#include "pages/SceneDiffDlg.h"

namespace orvx {
namespace {
constexpr Caption kCloseCaption{"CLOSE", "关闭"};
constexpr Caption kSending{"Sending the editor's values...", "正在发送编辑器的值..."};
}  // namespace

CCompareView::CCompareView(IShellSession& session, QWidget* window)
    : QObject(window), m_session(session), m_window(window), m_sync(session) {
  m_poll.setInterval(kPollMs);
  connect(&m_poll, &QTimer::timeout, this, &CCompareView::Poll);
}

void CCompareView::Start(Language language) {
  m_language = language;
  if (const BilingualText refused = m_sync.Compare(); !refused.Empty()) {
    ShowNotice(m_window, QString::fromStdString(refused.In(language)));
    return;
  }
  if (!m_dlg) {
    auto* dlg = new CSceneDiffDlg(
        CaptionText(captions::kCompareWithProcessor, language), CaptionText(captions::kProcessorTitle, language),
        CaptionText(captions::kEditorTitle, language),
        {CaptionText(captions::kSendEditorValues, language), CaptionText(captions::kTakeProcessorValues, language),
         CaptionText(kCloseCaption, language)},
        language, m_window);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    connect(dlg, &CSceneDiffDlg::ActionChosen, this, &CCompareView::Choose);
    connect(dlg, &QDialog::finished, &m_poll, &QTimer::stop);
    m_dlg = dlg;
    dlg->open();
  }
  m_dlg->SetRows({});
  m_dlg->SetMessage(CaptionText(captions::kCompareReading, language));
  m_dlg->SetActionsEnabled(false);
  m_sending = false;
  m_poll.start();
}

void CCompareView::Poll() {
  if (!m_dlg) {
    m_poll.stop();
    return;
  }
  if (m_sending) {
    if (!m_sync.SendProgress().Done()) return;
    // What the send left behind shows as soon as it is known.
    Start(m_language);
    return;
  }
  if (!m_sync.Poll()) return;
  m_poll.stop();
  if (m_sync.Phase() != FreshReadPhase::Done) {
    m_dlg->SetMessage(CaptionText(captions::kCompareFailed, m_language));
    return;
  }
  m_dlg->SetRows(DiffRows(m_sync.Differences(), m_session.State(), m_language));
  m_dlg->SetActionsEnabled(!m_sync.Differences().empty());
}

void CCompareView::Choose(int action) {
  if (action == kSend) {
    if (m_sync.SendEditorValues() == 0) {
      const Caption& why = m_session.State().link.online ? captions::kPlanRunning : captions::kCompareNeedsLink;
      ShowNotice(m_window, CaptionText(why, m_language));
      return;
    }
    m_dlg->SetActionsEnabled(false);
    m_dlg->SetMessage(CaptionText(kSending, m_language));
    m_sending = true;
    m_poll.start();
  } else if (action == kTake) {
    m_sync.TakeProcessorValues();
    m_dlg->accept();
  }
}

}  // namespace orvx
