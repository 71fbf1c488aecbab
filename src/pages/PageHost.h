#pragma once
/// The scrolled body under the header: every strip, page and channel editor, the side panel that
/// stands over it and the overview's detail panel. It shows what the navigation holds at the main
/// layout's places and sizes the body to it; what the operator asks for there goes out as signals.

#include <QObject>
#include <array>
#include <cstdint>
#include <vector>

#include "core/DeviceState.h"
#include "pages/PageRegistry.h"
#include "session/Navigation.h"
#include "session/ParamTable.h"
#include "session/SidePanelModel.h"

class QScrollArea;
class QWidget;

namespace orvx {

class CAutoMixerPage;
class CChannelStrip;
class CGroupPage;
class CInputStrip;
class CMatrixPage;
class CMixerDetailPanel;
class CMixerSidePanel;
class COutputStrip;
class CSystemPage;
class CTitledPage;
class IProfileStore;
class IShellSession;

class CPageHost : public QObject {
  Q_OBJECT
public:
  /// Builds every strip and page, hidden, into `canvas` (the widget `scroll` scrolls) and the side
  /// panel over the scroll area's viewport. `nav` says what to show.
  CPageHost(IShellSession& session, IProfileStore& profile, const CNavigation& nav, QScrollArea* scroll,
            QWidget* canvas);

  /// New strip size; true when it differs from the last (or is the first), so the view must be
  /// shown again.
  bool SetStripSize(int width, int height);
  int StripWidth() const { return m_w; }
  int StripHeight() const { return m_stripHeight; }

  /// Shows the strips of `group`, the overview, a channel view or the page of `view`, as the
  /// navigation holds it, and sizes the body to it.
  void Show(int group, MainView view);
  /// Sizes the body to what it shows (at least its viewport).
  void FitBody();
  void ScrollToStart();

  const OverviewChoice& Overview() const { return m_overview; }
  /// The side panel's choice becomes the overview's.
  void SetOverview(const OverviewChoice& choice) { m_overview = choice; }
  /// No overview: the side panel starts afresh.
  void LeaveOverview();

  /// Repaints what is shown and reads `bits` (change::...).
  void Refresh(std::uint32_t bits);
  void UpdateMeters();
  /// CLEAR SOLO is live while any channel is soloed.
  void ShowSoloClearable();
  void ApplyLanguage(Language language);

  /// Strips of the CHANNEL view now shown, left to right.
  std::vector<CChannelStrip*> VisibleStrips() const;
  /// The page or editor now shown (nullptr in the CHANNEL view).
  CTitledPage* VisiblePage() const;
  CInputStrip* InputStrip(int record) const { return m_inputs[record]; }
  COutputStrip* OutputStrip(int record) const { return m_outputs[record]; }
  CSystemPage* SystemPage() const { return m_system; }
  CMatrixPage* MatrixPage() const { return m_matrix; }
  CAutoMixerPage* AutoMixerPage() const { return m_autoMixer; }
  CGroupPage* GroupPage() const { return m_groupPage; }
  CMixerSidePanel* SidePanel() const { return m_sidePanel; }
  CMixerDetailPanel* DetailPanel() const { return m_detail; }
  const CPageRegistry& Pages() const { return m_registry; }

signals:
  /// The operator touched a value of a strip or page: the read-out follows it.
  void Touched(orvx::ParamAddr addr);
  /// An input strip asked for an editor of its channel, or for the PHANTOM page.
  void InputEditorRequested(int record, int editorKind);
  void PhantomRequested();
  /// An output strip asked for an editor of its output.
  void OutputEditorRequested(int record, int editorKind);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void CreateStrips();
  void CreatePages(IProfileStore& profile);
  void HideAll();
  void PlaceSidePanel();
  void ShowChannelView();
  /// The overview of the side panel's mode: member strips, the bus's output strip, the detail panel.
  void ShowOverviewStrips();

  IShellSession& m_session;
  CDeviceState& m_state;
  const CNavigation& m_nav;
  QScrollArea* m_scroll;
  QWidget* m_canvas;  ///< the scrolled body: strips, pages, panels
  CPageRegistry m_registry;
  OverviewChoice m_overview;

  int m_w = 100;            ///< strip width until the first layout
  int m_stripHeight = 500;  ///< strip height until the first layout
  bool m_laidOut = false;

  std::array<CInputStrip*, kInputRecords> m_inputs{};
  std::array<COutputStrip*, kOutputRecords> m_outputs{};
  CInputStrip* m_spareInput = nullptr;
  COutputStrip* m_spareOutput = nullptr;
  CSystemPage* m_system = nullptr;
  CMatrixPage* m_matrix = nullptr;
  CMixerSidePanel* m_sidePanel = nullptr;
  CMixerDetailPanel* m_detail = nullptr;
  CAutoMixerPage* m_autoMixer = nullptr;
  CGroupPage* m_groupPage = nullptr;
};

}  // namespace orvx
