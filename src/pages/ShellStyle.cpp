#include "pages/ShellStyle.h"

#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>

#include "ui/SkinTheme.h"

namespace orvx {

void ApplyEditStyle(QLineEdit* edit, bool refused) {
  const SkinTheme& t = SkinTheme::Current();
  const QString frame = refused ? QStringLiteral("#e04848") : t.Color("label.frame").name();
  edit->setStyleSheet(QStringLiteral("QLineEdit{background:%1;color:%2;border:%5px solid %3;border-radius:3px;"
                                     "padding:0 4px;selection-background-color:%4;}")
                          .arg(t.Color("label.bg").name(), t.Color("text").name(), frame, t.Color("accent").name(),
                               refused ? QStringLiteral("2") : QStringLiteral("1")));
}

void ApplyDialogStyle(QDialog* dialog) {
  const SkinTheme& t = SkinTheme::Current();
  dialog->setStyleSheet(
      QStringLiteral("QDialog{background:%1;} QLabel{color:%2;}"
                     "QPushButton{background:%3;color:%2;border:1px solid %4;border-radius:3px;padding:4px 18px;}"
                     "QPushButton:hover{border-color:%5;}"
                     // A button with nothing to do must read so: the caption fades, the frame stays put.
                     "QPushButton:disabled{color:%6;border-color:%4;}")
          .arg(t.Color("window.bg").name(), t.Color("text").name(), t.Color("panel.bg").name(),
               t.Color("panel.edge").name(), t.Color("accent").name(), t.Color("text.disabled").name()));
}

void PaintPanel(QPainter& painter, const QRect& area, double radius) {
  const SkinTheme& theme = SkinTheme::Current();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(theme.Color("panel.edge"), 1));
  painter.setBrush(theme.Color("panel.bg"));
  painter.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

QProgressBar* MakeProgressBar(QWidget* parent) {
  const SkinTheme& theme = SkinTheme::Current();
  auto* bar = new QProgressBar(parent);
  bar->setTextVisible(true);
  bar->setStyleSheet(QStringLiteral("QProgressBar{border:1px solid %1;background:%2;color:%3;font-weight:bold;"
                                    "text-align:center;}QProgressBar::chunk{background:%4;}")
                         .arg(theme.Color("list.frame").name(), theme.Color("list.bg").name(),
                              theme.Color("button.caption").name(), theme.Color("list.selected.bg").name()));
  bar->hide();
  return bar;
}

}  // namespace orvx
