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

  static constexpr int kTitleHeight = 36;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  Caption m_title;
  QString m_titleText;
};

}  // namespace orvx
