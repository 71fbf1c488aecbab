#pragma once
/// The header's keys and indicators: the five view keys, the strip-group keys with their labels,
/// the status lamp and text, HOME, the undo, redo, menu and language keys and a running plan's
/// progress. It places them in the header's layout, captions them and shows what the window tells
/// it; every press goes out as a signal.

#include <QObject>
#include <array>

#include "core/Captions.h"
#include "session/Navigation.h"

class QProgressBar;
class QWidget;

namespace orvx {

class CStatusLamp;
class CValueLabel;
class PngButton;

class CHeaderKeys : public QObject {
  Q_OBJECT
public:
  /// Builds the keys into `header`.
  explicit CHeaderKeys(QWidget* header);

  /// Places every key for the header unit `unit` (see CMainLayout::HeaderUnit).
  void Place(int unit);
  void ApplyLanguage(Language language);
  /// Lights the key of `view`, and the strip-group key of `group` in the CHANNEL view.
  void ShowPressed(MainView view, int group);
  void ShowLink(bool lampLit, bool online, Language language);
  void ShowHistory(bool canUndo, bool canRedo);
  /// A running plan's progress, `sent` of `total` datagrams; a total of 0 (no plan runs) hides the
  /// bar. A bar without a place stays hidden.
  void ShowPlanProgress(int sent, int total, Language language);

  PngButton* ViewButtonAt(ViewButton b) const { return m_viewButtons[static_cast<int>(b)]; }
  PngButton* GroupButton(int group) const { return m_groupButtons[group - 1]; }
  CStatusLamp* Lamp() const { return m_lamp; }
  CValueLabel* StatusText() const { return m_statusText; }
  PngButton* MenuButton() const { return m_menu; }
  PngButton* LanguageButton() const { return m_langButton; }
  PngButton* UndoButton() const { return m_undo; }
  PngButton* RedoButton() const { return m_redo; }

signals:
  void ViewPressed(orvx::ViewButton button);
  void GroupPressed(int group);
  void LampClicked();
  void HomeClicked();
  void MenuClicked();
  void LanguageClicked();
  void UndoClicked();
  void RedoClicked();

private:
  std::array<PngButton*, 5> m_viewButtons{};
  std::array<PngButton*, 4> m_groupButtons{};
  std::array<CValueLabel*, 4> m_groupLabels{};
  CStatusLamp* m_lamp = nullptr;
  CValueLabel* m_statusText = nullptr;
  PngButton* m_home = nullptr;
  CValueLabel* m_homeLabel = nullptr;
  PngButton* m_menu = nullptr;
  PngButton* m_langButton = nullptr;
  PngButton* m_undo = nullptr;
  PngButton* m_redo = nullptr;
  QProgressBar* m_planProgress = nullptr;
};

}  // namespace orvx
