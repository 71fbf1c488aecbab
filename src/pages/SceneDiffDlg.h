#pragma once
/// The dialog that shows what would change between two states before anything does: a scene's
/// recall (RECALL / CANCEL) or the comparison with the processor (send the editor's values, take
/// the processor's). It lists the differences under their page and channel, shows a message above
/// them (the count, "no differences", a read in progress) and offers its actions; it decides
/// nothing itself.

#include <QDialog>
#include <QStringList>
#include <vector>

#include "core/Captions.h"
#include "session/SceneDiff.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace orvx {

class CSceneDiffDlg : public QDialog {
  Q_OBJECT
public:
  /// `fromColumn` and `toColumn` head the two value columns ("EDITOR", "SCENE 3"); `actions` are
  /// the buttons left to right (the last one closes without acting).
  CSceneDiffDlg(const QString& title, const QString& fromColumn, const QString& toColumn, const QStringList& actions,
                Language language, QWidget* parent = nullptr);

  /// The differences to list; an empty list says both hold the same values.
  void SetRows(const std::vector<DiffRow>& rows);
  /// The line above the list (a read in progress, a failure, what was sent).
  void SetMessage(const QString& text);
  /// A second line in the warning colour (values moved into range), empty to hide it.
  void SetNote(const QString& text);
  /// Every action but the closing one.
  void SetActionsEnabled(bool enabled);

  QTreeWidget* Tree() const { return m_tree; }
  QLabel* Message() const { return m_message; }
  QPushButton* ActionButton(int index) const { return m_buttons.at(index); }

signals:
  /// Action `index` was pressed (the closing one closes the dialog as well).
  void ActionChosen(int index);

private:
  Language m_language;
  QLabel* m_message = nullptr;
  QLabel* m_note = nullptr;
  QTreeWidget* m_tree = nullptr;
  std::vector<QPushButton*> m_buttons;
};

}  // namespace orvx
