#pragma once
/// Drop-down selector: a face showing the current row's text that opens a `CDropListPopup`
/// directly below itself. The wheel steps through the rows without opening the list.
/// The face takes the focus: Space or Alt+Down opens the list, Up/Down step like the wheel; in
/// the open list the arrows move, Enter chooses and Escape closes. The list opens above the face
/// when it does not fit below it on the screen.
/// Only the operator's choice emits `DropdownSelected(id, row)` (1126), exactly once per choice,
/// after the face already shows the new text; `SetCurSel` from code is silent.
///
/// Usage:
///   auto* source = new CSkinComboBox(strip);
///   source->CreateDropList(kSourceListId);
///   source->SetFaceImages("combo_face", "combo_hover");   // optional; painted from the theme otherwise
///   for (auto* s : {"MIC", "LINE"}) source->AddString(s);
///   source->SetCurSel(state.source);
///   connect(source, &CSkinComboBox::DropdownSelected, ...);

#include "ui/DropListLayout.h"
#include "ui/WheelGate.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QStringList>
#include <QWidget>

namespace orvx {

class CDropListPopup;

class CSkinComboBox : public QWidget {
  Q_OBJECT
public:
  explicit CSkinComboBox(QWidget* parent = nullptr);
  ~CSkinComboBox() override;

  /// Creates the hidden list and remembers the identifier carried by `DropdownSelected`.
  bool CreateDropList(int id);
  int Id() const { return m_id; }

  /// Face and hover face by skin name; the control takes the face's size when `resizeToFace`.
  void SetFaceImages(const QString& face, const QString& hoverFace, bool resizeToFace = false);
  void SetTextColors(const QColor& normal, const QColor& hover);
  void SetFonts(const QFont& normal, const QFont& hover);
  /// Draws the text with `flags` in the face moved down by `offset`, instead of centring it.
  void SetCustomTextPlacement(bool on, int flags = 0, int offset = 4);
  void SetMaxListHeight(int height) { m_maxListHeight = height; }
  int MaxListHeight() const { return m_maxListHeight; }

  void AddString(const QString& text);
  void ResetContent();
  int GetCount() const { return m_rows.size(); }
  int GetCurSel() const { return m_current; }
  QString GetText(int row) const;
  /// Selects `row` clamped to 0 .. count - 1, shows it and repaints. Emits nothing.
  void SetCurSel(int row);

  /// Opens the list below the face (does nothing while it is open).
  void ShowDropList();
  void HideDropList();
  bool IsDropListShown() const;
  CDropListPopup* DropList() const { return m_list; }
  /// Where the list opens, in global coordinates (below the face, or above it near the
  /// bottom of the screen).
  QRect DropListRect() const;

  bool IsHovered() const { return m_hovered; }

  /// The list hands over a clicked row: show it, emit once.
  void ChooseRow(int row);

  QSize sizeHint() const override;

signals:
  void DropdownSelected(int id, int row);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  void SetHovered(bool hovered);
  /// The operator stepped by `step` rows with the wheel or an arrow key: select and report.
  void StepBy(int step);

  CDropListPopup* m_list = nullptr;
  int m_id = 0;
  QStringList m_rows;
  int m_current = -1;
  QPixmap m_face;
  QPixmap m_hoverFace;
  QColor m_textColor;
  QColor m_hoverTextColor;
  QFont m_font;
  QFont m_hoverFont;
  bool m_customPlacement = false;
  int m_customFlags = 0;
  int m_customOffset = 4;
  int m_maxListHeight = 200;
  bool m_hovered = false;
  WheelAccumulator m_wheel;
  CWheelGate m_wheelGate;
};

}  // namespace orvx
