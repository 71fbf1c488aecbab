#pragma once
/// A framed page with its title: the base of every page and editor of the main window.
///
/// A page opens for a record (an editor for its channel), knows when it is shown or hidden
/// (timers run only while shown), refreshes from change bits and applies the language. Its
/// controls are bound to parameters through its binding set.

#include <QWidget>

#include "core/Captions.h"
#include "link/ReportEffects.h"
#include "pages/ParamBinding.h"

namespace orvx {

class CTitledPage : public QWidget {
  Q_OBJECT
public:
  CTitledPage(const Caption& title, QWidget* parent = nullptr);

  virtual void ApplyLanguage(Language language);
  /// Opens the page for a record (channel editors); the bindings follow it.
  virtual void OpenFor(int record);
  int Record() const { return m_record; }
  /// Reloads what the change bits name (everything for change::kAll) from the device state.
  virtual void Refresh(std::uint32_t bits = change::kAll) { m_bindings.Refresh(bits); }
  /// New meter values arrived (pages with meters take them; nothing else repaints).
  virtual void UpdateMeters() {}
  /// True between OnShown and OnHidden.
  bool Shown() const { return m_shown; }

  QString Title() const { return m_titleText; }
  /// Text after the title, e.g. the channel an editor is open for.
  void SetSubtitle(const QString& subtitle);
  QString Subtitle() const { return m_subtitle; }
  static constexpr int kTitleHeight = 36;

signals:
  /// The operator touched a value of the page: the main window's read-out follows it.
  void Touched(orvx::ParamAddr addr);

protected:
  /// The page became visible / invisible: start and stop its timers here.
  virtual void OnShown() {}
  virtual void OnHidden() {}
  CBindingSet& Bindings() { return m_bindings; }
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  Caption m_title;
  QString m_titleText;
  QString m_subtitle;
  CBindingSet m_bindings;
  int m_record = 0;
  bool m_shown = false;
};

}  // namespace orvx
