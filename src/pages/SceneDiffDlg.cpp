#include "pages/SceneDiffDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/NumberText.h"
#include "pages/CaptionText.h"
#include "pages/ShellStyle.h"
#include "ui/SkinTheme.h"
#include "ui/UiFont.h"

namespace orvx {
namespace {

constexpr Caption kParameter{"PARAMETER", "参数"};
constexpr int kValueColumnWidth = 110;

QString Colour(const char* key) { return SkinTheme::Current().Color(QLatin1String(key)).name(); }

}  // namespace

CSceneDiffDlg::CSceneDiffDlg(const QString& title, const QString& fromColumn, const QString& toColumn,
                             const QStringList& actions, Language language, QWidget* parent)
    : QDialog(parent), m_language(language) {
  setObjectName(QStringLiteral("SceneDiffDlg"));
  setWindowTitle(title);
  m_message = new QLabel(this);
  m_message->setObjectName(QStringLiteral("DiffMessage"));
  m_message->setFont(UiFont(11, true));
  m_message->setWordWrap(true);
  m_note = new QLabel(this);
  m_note->setFont(UiFont(10));
  m_note->setWordWrap(true);
  m_note->setStyleSheet(QStringLiteral("color:#e0a020;"));
  m_note->hide();

  m_tree = new QTreeWidget(this);
  m_tree->setObjectName(QStringLiteral("DiffList"));
  m_tree->setColumnCount(3);
  m_tree->setHeaderLabels({CaptionText(kParameter, language), fromColumn, toColumn});
  m_tree->setFont(UiFont(10));
  m_tree->setRootIsDecorated(true);
  m_tree->setUniformRowHeights(true);
  m_tree->setSelectionMode(QAbstractItemView::NoSelection);
  m_tree->setFocusPolicy(Qt::NoFocus);  // no current row: the list is read, not edited
  m_tree->header()->setMinimumSectionSize(kValueColumnWidth);
  m_tree->header()->setStretchLastSection(false);
  m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  m_tree->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  m_tree->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  m_tree->setStyleSheet(QStringLiteral("QTreeWidget{background:%1;color:%2;border:1px solid %3;}"
                                       "QHeaderView::section{background:%4;color:%2;border:1px solid %3;padding:3px;}")
                            .arg(Colour("list.bg"), Colour("list.text"), Colour("list.frame"), Colour("panel.bg")));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (int i = 0; i < actions.size(); ++i) {
    auto* b = new QPushButton(actions[i], this);
    b->setObjectName(QStringLiteral("DiffAction%1").arg(i));
    const bool closes = i == actions.size() - 1;
    connect(b, &QPushButton::clicked, this, [this, i, closes] {
      emit ActionChosen(i);
      if (closes) reject();
    });
    m_buttons.push_back(b);
    buttons->addWidget(b);
  }
  if (!m_buttons.empty()) m_buttons.back()->setDefault(true);  // a slip of Enter changes nothing

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_message);
  layout->addWidget(m_note);
  layout->addWidget(m_tree, 1);
  layout->addLayout(buttons);
  ApplyDialogStyle(this);
  resize(760, 560);
}

void CSceneDiffDlg::SetRows(const std::vector<DiffRow>& rows) {
  m_tree->clear();
  SetMessage(QString::fromStdString(DifferenceHeadline(rows.size(), m_language)));
  if (rows.empty()) return;
  QTreeWidgetItem* page = nullptr;
  QTreeWidgetItem* channel = nullptr;
  QFont bold = m_tree->font();
  bold.setBold(true);
  for (const DiffRow& row : rows) {
    const QString pageText = QString::fromStdString(row.page);
    if (!page || page->text(0) != pageText) {
      page = new QTreeWidgetItem(m_tree, {pageText});
      page->setFont(0, bold);
      channel = nullptr;
    }
    QTreeWidgetItem* parent = page;
    if (!row.channel.empty()) {
      const QString channelText = QString::fromStdString(row.channel);
      if (!channel || channel->text(0) != channelText) channel = new QTreeWidgetItem(page, {channelText});
      parent = channel;
    }
    new QTreeWidgetItem(parent, {QString::fromStdString(row.parameter), QString::fromStdString(row.from),
                                 QString::fromStdString(row.to)});
  }
  m_tree->expandAll();
}

void CSceneDiffDlg::SetMessage(const QString& text) { m_message->setText(text); }

void CSceneDiffDlg::SetNote(const QString& text) {
  m_note->setText(text);
  m_note->setVisible(!text.isEmpty());
}

void CSceneDiffDlg::SetActionsEnabled(bool enabled) {
  for (std::size_t i = 0; i + 1 < m_buttons.size(); ++i) m_buttons[i]->setEnabled(enabled);
}

}  // namespace orvx
