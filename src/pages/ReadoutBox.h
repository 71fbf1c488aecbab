#pragma once
/// The header's value read-out: the name and caption of the value the operator last touched, and
/// a box that shows its value and takes a typed one. Typed text is parsed in the operator's units
/// and applied through the change path; text that is no value is refused with a visible cue, and
/// text never committed goes back to the stored value when the box loses the focus.

#include <QObject>
#include <QString>

#include "session/ValueReadout.h"

class QLineEdit;
class QWidget;

namespace orvx {

class CValueLabel;
class IShellSession;

class CReadoutBox : public QObject {
  Q_OBJECT
public:
  /// Builds the labels and the box into `header`.
  CReadoutBox(IShellSession& session, QWidget* header);

  /// Places them for the header unit `unit` (see CMainLayout::HeaderUnit).
  void Place(int unit);
  /// The operator touched `addr`: the read-out follows it.
  void Touch(const ParamAddr& addr);
  /// Fills the read-out from the last-touched value (in the state's language).
  void Update();
  /// Typed entry: applied through the change path, or refused with the reason under the box.
  void Commit(const QString& text);

  QLineEdit* ValueBox() const { return m_valueBox; }
  CValueLabel* NameLabel() const { return m_nameLabel; }
  CValueLabel* KindLabel() const { return m_kindLabel; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  IShellSession& m_session;
  CValueReadout m_readout;
  CValueLabel* m_nameLabel = nullptr;
  CValueLabel* m_kindLabel = nullptr;
  QLineEdit* m_valueBox = nullptr;
};

}  // namespace orvx
