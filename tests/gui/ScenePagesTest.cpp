// The SHOW tab and the comparison with the processor as the operator uses them: scene keys in row
// order, SAVE, the recall's dialog before anything changes, and the window's menu item that reads
// the processor and sends or takes the differing values.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "FakeShellSession.h"
#include "GuiTestUtil.h"
#include "common/PresetTestSupport.h"
#include "common/SceneTestSupport.h"
#include "pages/CompareView.h"
#include "pages/GroupPage.h"
#include "pages/MainDlg.h"
#include "pages/PageMessages.h"
#include "pages/SystemPage.h"
#include "session/ProfileStore.h"
#include "ui/PngButton.h"

namespace orvx {
namespace {

using test::App;
using test::Click;

/// Every item text of the dialog's list, depth first, indented by level.
std::string ListText(QTreeWidget* tree) {
  std::string text;
  std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
    text += std::string(2 * depth, ' ') + item->text(0).toStdString();
    if (!item->text(1).isEmpty()) text += ": " + item->text(1).toStdString() + " -> " + item->text(2).toStdString();
    text += "\n";
    for (int i = 0; i < item->childCount(); ++i) walk(item->child(i), depth + 1);
  };
  for (int i = 0; i < tree->topLevelItemCount(); ++i) walk(tree->topLevelItem(i), 0);
  return text;
}

class ScenePagesTest : public ::testing::Test {
protected:
  void SetUp() override {
    App();
    ASSERT_EQ(m_db.Open(m_dir.Dir()), "");
    dlg = std::make_unique<CMainDlg>(session, profile);
    session.state = scenetest::EditedState();
    dlg->SetSceneStore(&m_store);
    dlg->resize(1366, 768);
    dlg->show();
    Click(dlg->ViewButtonAt(ViewButton::System));
    page = dlg->SystemPage();
    Click(page->TabButton(SystemTab::Show));
  }
  std::vector<QString> VisibleKeys() const {
    std::vector<QString> keys;
    for (int k = 0; k < CSystemPage::kScenes; ++k) {
      if (page->SceneKey(k)->isVisible()) keys.push_back(page->SceneKey(k)->text());
    }
    return keys;
  }

  presettest::CTempDir m_dir;
  scenetest::CScopedDataHome m_dataHome{m_dir.Path() / "xdg"};
  CPresetDatabase m_db;
  CSceneStore m_store{m_db, m_dir.Path()};
  test::FakeShellSession session;
  CMemoryProfile profile;
  std::unique_ptr<CMainDlg> dlg;
  CSystemPage* page = nullptr;
};

TEST_F(ScenePagesTest, SaveFillsTheKeysInRowOrderAndTheyLeaveWithTheirTab) {
  EXPECT_TRUE(VisibleKeys().empty());
  for (int i = 0; i < 3; ++i) Click(page->SceneSaveButton());
  page->ChooseSceneCommand(1, CSystemPage::kSceneDeleteCommand);
  EXPECT_TRUE(std::filesystem::exists(m_dir.Path() / "xdg/Trash/files/SAVE2.dat"));
  page->SelectTab(SystemTab::Show);
  EXPECT_EQ(VisibleKeys(), (std::vector<QString>{"1:SAVE1", "3:SAVE3"}));
  EXPECT_EQ(page->SceneKey(1)->text(), "3:SAVE3") << "the second key shows the second scene, whatever its number";
  Click(page->TabButton(SystemTab::Help));
  EXPECT_TRUE(VisibleKeys().empty());

  dlg->SetSceneStore(nullptr);
  EXPECT_FALSE(page->SceneSaveButton()->isEnabled());
}

TEST_F(ScenePagesTest, TheRecallShowsWhatWouldChangeAndCancelChangesNothing) {
  Click(page->SceneSaveButton());
  session.state.in[4].peq[1].gain = 150;
  SetNameBytes(session.state.in[0].shortName, Utf8ToGbk("主讲"));
  dlg->ApplyLanguage(Language::Chinese);
  page->ChooseSceneCommand(0, CSystemPage::kSceneRecallCommand);
  CSceneDiffDlg* recall = page->RecallDialog();
  ASSERT_NE(recall, nullptr);
  ASSERT_TRUE(recall->isVisible());
  EXPECT_EQ(recall->windowTitle(), "调用 1:SAVE1");
  EXPECT_EQ(recall->Message()->text(), "2 个值不同。");
  EXPECT_EQ(ListText(recall->Tree()),
            "通道\n  输入1（主讲）\n    名称: 主讲 -> 讲台\n均衡\n  输入5\n    频段2 增益: 0.0dB -> -3.0dB\n");
  recall->ActionButton(1)->click();  // CANCEL
  QApplication::processEvents();
  EXPECT_EQ(session.state.in[4].peq[1].gain, 150);
  EXPECT_EQ(page->RecallDialog(), nullptr);
}

TEST_F(ScenePagesTest, RecallReplacesTheStateSwitchesTheControlGroupsOffAndEndsOnTheFirstPage) {
  Click(page->SceneSaveButton());
  session.state.in[0].level = 12;
  dlg->PressControlKey(2);
  ASSERT_EQ(session.state.controlGroupOn[1], 1);
  ASSERT_TRUE(dlg->ControlKey(2)->IsChecked()) << "the link is on";
  page->ChooseSceneCommand(0, CSystemPage::kSceneRecallCommand);
  ASSERT_NE(page->RecallDialog(), nullptr);
  page->RecallDialog()->ActionButton(0)->click();  // RECALL
  ASSERT_TRUE(test::WaitFor([&] { return dlg->Navigation().View() == MainView::Channel; }, 3000));
  EXPECT_EQ(session.state.in[0].level, 54);
  EXPECT_EQ(session.state.controlGroupOn[1], 0);
  EXPECT_FALSE(dlg->ControlKey(2)->IsChecked()) << "the recall switched the link off first";
  EXPECT_EQ(dlg->Navigation().Group(), 1);
  EXPECT_TRUE(session.Sent().empty()) << "offline nothing is sent";
}

TEST_F(ScenePagesTest, ThirtyTwoTakenSaysWhy) {
  ASSERT_EQ(
      presettest::RawSql(m_dir.Path() / CPresetDatabase::kFileName,
                         "INSERT INTO DeviceDATA VALUES(32,'LAST','" + (m_dir.Path() / "SAVE32.dat").string() + "')"),
      "");
  Click(page->SceneSaveButton());
  QMessageBox* box = OpenPageMessage(page);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text().toStdString(), captions::kScenesFull.en);
  box->close();
}

TEST_F(ScenePagesTest, CompareWithProcessorReadsItThenSendsOrTakesTheDifferences) {
  session.state.link.deviceIp = "127.0.0.182";
  session.GoOnline();
  CDeviceState processor = session.state;
  processor.in[0].level = 30;
  dlg->RunMenuCommand(CMainDlg::kCompareCommand);
  CSceneDiffDlg* compare = dlg->Compare()->Dialog();
  ASSERT_NE(compare, nullptr);
  EXPECT_EQ(session.freshReads, 1);
  EXPECT_EQ(compare->Message()->text(), "Reading the processor...");
  EXPECT_FALSE(compare->ActionButton(0)->isEnabled());
  session.fresh = {FreshReadPhase::Done, &processor};
  ASSERT_TRUE(test::WaitFor([&] { return compare->ActionButton(0)->isEnabled(); }, 2000));
  EXPECT_EQ(ListText(compare->Tree()), "CHANNEL\n  IN 1 (讲台)\n    VOLUME: -30dB -> -6dB\n");

  compare->ActionButton(CCompareView::kSend)->click();
  EXPECT_EQ(session.Sent().size(), 1u) << "only the level's frame";
  ASSERT_TRUE(test::WaitFor([&] { return session.freshReads == 2; }, 2000)) << "after the send it compares again";
  processor.in[0].level = 54;
  session.fresh = {FreshReadPhase::Done, &processor};
  ASSERT_TRUE(
      test::WaitFor([&] { return compare->Message()->text() == "No differences: both hold the same values."; }, 2000));
  EXPECT_FALSE(compare->ActionButton(0)->isEnabled());

  processor.in[0].level = 20;
  dlg->CompareWithProcessor();
  session.fresh = {FreshReadPhase::Done, &processor};
  ASSERT_TRUE(test::WaitFor([&] { return compare->ActionButton(CCompareView::kTake)->isEnabled(); }, 2000));
  compare->ActionButton(CCompareView::kTake)->click();
  QApplication::processEvents();
  EXPECT_EQ(session.state.in[0].level, 20);
  EXPECT_EQ(session.Sent().size(), 1u) << "taking sends nothing";
}

}  // namespace
}  // namespace orvx
