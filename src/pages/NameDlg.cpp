#include "pages/NameDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "pages/CaptionText.h"
#include "pages/ShellStyle.h"
#include "session/TypedValue.h"
#include "ui/UiFont.h"

namespace orvx {
namespace {

constexpr Caption kInputTitle{"NAME - input %1", "名称 - 输入 %1"};
constexpr Caption kOutputTitle{"NAME - output %1", "名称 - 输出 %1"};
constexpr Caption kLimitHint{"At most 8 bytes: 8 Latin or 4 Chinese characters.", "最多 8 字节：8 个字母或 4 个汉字。"};

}  // namespace

CNameDlg::CNameDlg(const QString& name, const ParamAddr& addr, Language language, QWidget* parent)
    : QDialog(parent), m_addr(addr), m_language(language) {
  const Caption& title = Param(addr.id).scope == ParamScope::Output ? kOutputTitle : kInputTitle;
  setWindowTitle(CaptionText(title, language).arg(addr.record + 1));
  auto* caption = new QLabel(QStringLiteral("NAME:"), this);
  caption->setFont(UiFont(11));
  m_edit = new QLineEdit(name, this);
  m_edit->setFont(UiFont(11));
  ApplyEditStyle(m_edit);
  // The limit stands under the field from the start; a refusal takes its place in red.
  m_message = new QLabel(CaptionText(kLimitHint, language), this);
  m_message->setObjectName(QStringLiteral("NameMessage"));
  m_message->setFont(UiFont(9));
  m_message->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &CNameDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CNameDlg::reject);
  auto* row = new QHBoxLayout;
  row->addWidget(caption);
  row->addWidget(m_edit, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(m_message);
  layout->addWidget(buttons);
  ApplyDialogStyle(this);
  resize(340, 130);
}

QString CNameDlg::Name() const { return m_edit->text(); }

void CNameDlg::accept() {
  m_refusal.clear();
  const TypedResult parsed = ParseTypedValue(m_addr, Name().toStdString());
  if (const auto* refusal = std::get_if<TypedRefusal>(&parsed)) {
    m_refusal = QString::fromStdString(refusal->In(m_language));
    m_message->setText(m_refusal);
    m_message->setStyleSheet(QStringLiteral("color: #e04848;"));
    ApplyEditStyle(m_edit, true);
    m_edit->setFocus();
    m_edit->selectAll();
    return;
  }
  QDialog::accept();
}

}  // namespace orvx
