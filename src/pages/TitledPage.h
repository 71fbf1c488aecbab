#pragma once
/// A framed page with its title: the base of every page of the main window. Pages that later
/// work fills in add their controls below the title bar.

#include <QWidget>

#include "core/Captions.h"

namespace orvx {

class CTitledPage : public QWidget {
  Q_OBJECT
public:
  CTitledPage(const Caption& title, QWidget* parent = nullptr);

  virtual void ApplyLanguage(Language language);
  /// Reloads every control from the device state; called whenever the page is shown.
  virtual void Refresh() {}
  QString Title() const { return m_titleText; }
  /// Text after the title, e.g. the channel an editor is open for.
  void SetSubtitle(const QString& subtitle);
  QString Subtitle() const { return m_subtitle; }

  static constexpr int kTitleHeight = 36;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  Caption m_title;
  QString m_titleText;
  QString m_subtitle;
};

}  // namespace orvx
