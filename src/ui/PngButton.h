#pragma once
/// Image button: a push button whose face is one of up to three skin images, with an optional
/// caption on top. The owner drives its checked and unavailable looks; the button only draws,
/// tracks hover and reports clicks (`clicked()`), like any push button.
///
/// Usage:
///   auto* mute = new PngButton("MUTE", strip);
///   mute->SetImages("button_normal", "button_mute");   // normal / checked faces
///   connect(mute, &QAbstractButton::clicked, ...);      // owner toggles state, then:
///   mute->SetChecked(state.mute);
/// Faces are drawn by 9-slice stretching (`SetSliceMargins`), so buttons keep crisp corners at
/// any strip width. A fast double click counts as a second click.
/// Faces in res/skin: button_normal, button_hover, button_disabled, button_lit (cyan),
/// button_red, button_amber, button_green, tab_normal/tab_down, lamp_on/lamp_off. On the
/// coloured faces (red, amber, green) give the checked caption white: SetCheckedCaptionColor(Qt::white).

#include "ui/ButtonFace.h"

#include <QAbstractButton>
#include <QColor>
#include <QMargins>
#include <QPixmap>

namespace orvx {

class PngButton : public QAbstractButton {
  Q_OBJECT
public:
  enum Mode { Push = 0, Toggle = 1 };

  explicit PngButton(QWidget* parent = nullptr);
  explicit PngButton(const QString& caption, QWidget* parent = nullptr);

  /// Loads the first (normal) and second (checked, or hover/pressed in push mode) faces by
  /// skin name, then sizes the button by its size mode. Returns true when both loaded.
  bool SetImages(const QString& first, const QString& second);
  /// Face shown while unavailable in toggle mode.
  void SetThirdImage(const QString& third);

  void SetChecked(bool checked);
  bool IsChecked() const { return m_checked; }
  /// Unavailable look (third face); repaints at once. Clicks still reach the owner.
  void SetUnavailable(bool unavailable);
  bool IsUnavailable() const { return m_unavailable; }
  void SetMode(Mode mode);
  Mode GetMode() const { return m_mode; }

  void SetCaptionShown(bool shown);
  void SetCaptionSize(double points);
  void SetCaptionColor(const QColor& color);
  void SetCheckedCaptionColor(const QColor& color);
  /// 0: keep the button's size and stretch the face; 1: take the first image's size.
  void SetSizeMode(int mode);
  /// Corners of the face kept unstretched (default 6 px on each side).
  void SetSliceMargins(const QMargins& margins);

  bool IsHovered() const { return m_hovered; }
  /// The face the next paint uses.
  FaceSlot CurrentFace() const;
  QColor CurrentCaptionColor() const;

  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

private:
  void ApplySizeMode();
  const QPixmap& Face(FaceSlot slot) const;

  QPixmap m_images[3];
  Mode m_mode = Toggle;
  bool m_checked = false;
  bool m_unavailable = false;
  bool m_hovered = false;
  bool m_captionShown = true;
  double m_captionPoints = 8.0;
  QColor m_captionColor;
  QColor m_checkedCaptionColor;
  int m_sizeMode = 0;
  QMargins m_slice{6, 6, 6, 6};
};

}  // namespace orvx
