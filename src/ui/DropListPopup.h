#pragma once
/// The list that a `CSkinComboBox` opens below itself: a pop-up window holding the rows. It
/// closes on any click outside it; a click on a row hands that row to its combo box once.

#include <QListWidget>

namespace orvx {

class CSkinComboBox;

class CDropListPopup : public QListWidget {
  Q_OBJECT
public:
  explicit CDropListPopup(CSkinComboBox* owner);

  /// Height of one row in pixels (from the list's font).
  int RowHeight() const;
  /// Width of the list's frame on each side, which the list's height must leave room for.
  int FrameWidth() const;
  /// Adds a row with the list's row height.
  void AddRow(const QString& text);
  /// Opens at `globalRect` with `current` as the highlighted row.
  void Open(const QRect& globalRect, int current);
  /// Chooses `row` as if clicked: hides, then hands it to the combo box.
  void Choose(int row);

protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  CSkinComboBox* m_owner;
  int m_restoreRow = -1;
};

}  // namespace orvx
