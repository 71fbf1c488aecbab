#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "common/PresetTestSupport.h"
#include "common/SceneTestSupport.h"
#include "core/StateImage.h"
#include "device/DesktopTrash.h"
#include "device/SceneStore.h"

namespace orvx {
namespace {

namespace fs = std::filesystem;
using presettest::CTempDir;
using presettest::RawSql;
using presettest::RawValue;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

std::vector<std::uint8_t> FileBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& p, std::size_t size, char fill = 'x') {
  std::ofstream out(p, std::ios::binary);
  out << std::string(size, fill);
}

/// A data directory with its library, and the desktop trash in a directory of the test's own.
class SceneStoreTest : public ::testing::Test {
protected:
  void SetUp() override {
    fs::create_directories(Data());
    ASSERT_EQ(m_db.Open(Data().string()), "");
    m_store = std::make_unique<CSceneStore>(m_db, Data());
    m_state = scenetest::EditedState();
  }
  fs::path Data() const { return m_dir.Path() / "data"; }
  fs::path Library() const { return Data() / CPresetDatabase::kFileName; }
  fs::path Trash() const { return m_dir.Path() / "xdg" / "Trash"; }
  std::vector<std::int64_t> Ids() {
    std::vector<std::int64_t> ids;
    for (const SceneRow& r : m_store->List().value) ids.push_back(r.id);
    return ids;
  }
  /// The data directory's entries other than the library.
  std::vector<std::string> DataFiles() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(Data())) {
      const std::string n = e.path().filename().string();
      if (n.rfind(CPresetDatabase::kFileName, 0) != 0) names.push_back(n);
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  void InsertRow(std::int64_t id, const fs::path& file) {
    ASSERT_EQ(RawSql(Library(), "INSERT INTO DeviceDATA VALUES(" + std::to_string(id) + ",'ROW" + std::to_string(id) +
                                    "','" + file.string() + "')"),
              "");
  }

  CTempDir m_dir;
  scenetest::CScopedDataHome m_dataHome{m_dir.Path() / "xdg"};
  CPresetDatabase m_db;
  std::unique_ptr<CSceneStore> m_store;
  CDeviceState m_state;
};

TEST_F(SceneStoreTest, AnEmptyListSavesSceneOneAsItsFileAndRow) {
  const SceneSaved saved = m_store->Save(m_state);
  ASSERT_TRUE(saved.Ok()) << saved.error;
  EXPECT_EQ(saved.row, (SceneRow{1, "SAVE1", (Data() / "SAVE1.dat").string()}));
  EXPECT_EQ(FileBytes(Data() / "SAVE1.dat"), image::EncodeScene(m_state));
  EXPECT_THAT(DataFiles(), ElementsAre("SAVE1.dat")) << "no temporary file stays";
  const SceneImage read = m_store->Read(1);
  ASSERT_TRUE(read.Ok()) << read.error;
  EXPECT_EQ(read.bytes, image::EncodeScene(m_state));
}

TEST_F(SceneStoreTest, ANewSceneTakesTheHighestNumberPlusOneAndRowsOutsideOneTo32AreNoScenes) {
  for (std::int64_t id : {1, 2, 7}) InsertRow(id, Data() / ("SAVE" + std::to_string(id) + ".dat"));
  for (std::int64_t id : {0, -3, 33, 40}) InsertRow(id, Data() / "foreign.dat");
  EXPECT_THAT(Ids(), ElementsAre(1, 2, 7));
  EXPECT_EQ(m_store->Save(m_state).row.id, 8);
  EXPECT_THAT(Ids(), ElementsAre(1, 2, 7, 8));
  EXPECT_FALSE(m_store->Find(40).value.has_value());
  EXPECT_NE(m_store->Rename(40, "X"), "");
  EXPECT_NE(m_store->Delete(0).error, "");
  EXPECT_EQ(RawValue(Library(), "SELECT NAME FROM DeviceDATA WHERE ID=40"), "ROW40") << "a foreign row stays as it is";
}

TEST_F(SceneStoreTest, WhenThirtyTwoIsTakenSaveSaysWhyAndChangesNothing) {
  InsertRow(32, Data() / "SAVE32.dat");
  const SceneSaved saved = m_store->Save(m_state);
  EXPECT_FALSE(saved.Ok());
  EXPECT_TRUE(saved.full);
  EXPECT_THAT(captions::kScenesFull.en, HasSubstr("delete scene 32"));
  EXPECT_THAT(Ids(), ElementsAre(32));
  EXPECT_THAT(DataFiles(), IsEmpty());
  tm when{};
  EXPECT_TRUE(m_store->SaveBackup(m_state, when).full) << "the backup says the same";
}

TEST_F(SceneStoreTest, AFailedSaveLeavesNeitherRowNorFile) {
  // The rename into place fails: a directory stands where SAVE1.dat would go.
  fs::create_directories(Data() / "SAVE1.dat" / "in-the-way");
  SceneSaved saved = m_store->Save(m_state);
  EXPECT_FALSE(saved.Ok());
  EXPECT_THAT(saved.error, HasSubstr("SAVE1.dat"));
  EXPECT_THAT(Ids(), IsEmpty()) << "the row went with the failed rename";
  EXPECT_THAT(DataFiles(), ElementsAre("SAVE1.dat")) << "only the directory that was in the way";
  fs::remove_all(Data() / "SAVE1.dat");

  // The insert fails: the scene list is gone from the library.
  ASSERT_EQ(RawSql(Library(), "DROP TABLE DeviceDATA"), "");
  saved = m_store->Save(m_state);
  EXPECT_FALSE(saved.Ok());
  EXPECT_FALSE(saved.full);
  EXPECT_THAT(saved.error, HasSubstr("DeviceDATA"));
  EXPECT_THAT(DataFiles(), IsEmpty()) << "the temporary file went too";
}

TEST_F(SceneStoreTest, AFileOfTheWrongSizeOrNoneIsRefusedWithItsName) {
  struct Case {
    std::size_t size;
    const char* says;
  } cases[] = {{0, "holds 0 bytes"},
               {1, "holds 1 bytes"},
               {20'567, "holds 20567 bytes"},
               {20'569, "more than 20568"},
               {41'136, "more than 20568"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    const fs::path file = Data() / "odd.dat";
    WriteBytes(file, c.size);
    const SceneImage image = ReadSceneFile(file);
    EXPECT_FALSE(image.Ok());
    EXPECT_THAT(image.error, HasSubstr(c.says));
    EXPECT_THAT(image.error, HasSubstr(file.string()));
    EXPECT_TRUE(image.bytes.empty());
  }
  EXPECT_THAT(ReadSceneFile(Data() / "missing.dat").error, HasSubstr("Cannot open"));
  EXPECT_THAT(ReadSceneFile(Data()).error, HasSubstr(Data().string())) << "a directory cannot be read whole";
  InsertRow(1, Data() / "gone.dat");
  EXPECT_THAT(m_store->Read(1).error, HasSubstr("gone.dat"));
  EXPECT_THAT(m_store->Read(9).error, HasSubstr("no scene 9"));
}

TEST_F(SceneStoreTest, DeleteMovesTheSceneFileToTheDesktopTrashWithItsInformation) {
  ASSERT_TRUE(m_store->Save(m_state).Ok());
  ASSERT_TRUE(m_store->Save(m_state).Ok());
  // A file of the same name is in the trash already: this one gets a name of its own.
  fs::create_directories(Trash() / "files");
  WriteBytes(Trash() / "files" / "SAVE1.dat", 3);
  const SceneDeleted deleted = m_store->Delete(1);
  ASSERT_TRUE(deleted.Ok()) << deleted.error;
  EXPECT_EQ(deleted.trashed, Trash() / "files" / "SAVE1.2.dat");
  EXPECT_EQ(FileBytes(deleted.trashed), image::EncodeScene(m_state));
  std::ifstream info(Trash() / "info" / "SAVE1.2.dat.trashinfo");
  const std::string text{std::istreambuf_iterator<char>(info), std::istreambuf_iterator<char>()};
  EXPECT_THAT(text, HasSubstr("[Trash Info]\nPath=" + (Data() / "SAVE1.dat").string() + "\nDeletionDate=20"));
  EXPECT_THAT(Ids(), ElementsAre(2));
  EXPECT_THAT(DataFiles(), ElementsAre("SAVE2.dat"));
  EXPECT_EQ(m_store->Save(m_state).row.id, 3) << "numbers follow the highest, never the gap";
}

TEST_F(SceneStoreTest, DeleteTrashesOnlySceneFilesOfItsDataDirectory) {
  const fs::path outside = m_dir.Path() / "elsewhere" / "SAVE4.dat";
  fs::create_directories(outside.parent_path());
  const fs::path paths[] = {outside, Data() / "notes.txt", Data() / "sub" / ".." / ".." / "elsewhere" / "SAVE4.dat",
                            "relative/SAVE5.dat"};
  WriteBytes(Data() / "notes.txt", 5);
  WriteBytes(outside, 5);
  std::int64_t id = 1;
  for (const fs::path& p : paths) {
    SCOPED_TRACE(p.string());
    InsertRow(id, p);
    const SceneDeleted deleted = m_store->Delete(id);
    EXPECT_TRUE(deleted.Ok()) << deleted.error;
    EXPECT_THAT(deleted.note, HasSubstr("stays where it is"));
    EXPECT_TRUE(deleted.trashed.empty());
    ++id;
  }
  EXPECT_TRUE(fs::exists(outside));
  EXPECT_TRUE(fs::exists(Data() / "notes.txt"));
  EXPECT_FALSE(fs::exists(Trash() / "files"));
  EXPECT_THAT(Ids(), IsEmpty());
}

TEST_F(SceneStoreTest, ADeleteThatCannotTrashItsFileKeepsTheScene) {
  ASSERT_TRUE(m_store->Save(m_state).Ok());
  // The trash cannot be made: a plain file stands where its directory would be.
  fs::create_directories(Trash().parent_path());
  WriteBytes(Trash(), 1);
  const SceneDeleted deleted = m_store->Delete(1);
  EXPECT_FALSE(deleted.Ok());
  EXPECT_THAT(deleted.error, HasSubstr("trash"));
  EXPECT_THAT(Ids(), ElementsAre(1));
  EXPECT_TRUE(fs::exists(Data() / "SAVE1.dat"));
}

TEST_F(SceneStoreTest, NamesAreStoredAsTypedAndTheBackupIsNamedWithDateAndTime) {
  ASSERT_TRUE(m_store->Save(m_state).Ok());
  EXPECT_EQ(m_store->Rename(1, "Bob's 会议"), "");
  EXPECT_EQ(m_store->List().value.at(0).name, "Bob's 会议");
  EXPECT_THAT(m_store->Rename(2, "X"), HasSubstr("no such scene"));
  std::tm when{};
  when.tm_year = 2024 - 1900;
  when.tm_mon = 5;
  when.tm_mday = 9;
  when.tm_hour = 7;
  when.tm_min = 5;
  const SceneSaved backup = m_store->SaveBackup(m_state, when);
  ASSERT_TRUE(backup.Ok()) << backup.error;
  EXPECT_EQ(backup.row.id, 2);
  EXPECT_EQ(backup.row.name, "BACKUP 2024-06-09 07:05");
  EXPECT_EQ(FileBytes(backup.row.fileName), image::EncodeScene(m_state));
}

TEST(DesktopTrash, ThePathIsEscapedAndARefusedMoveLeavesNoInformation) {
  CTempDir dir;
  scenetest::CScopedDataHome dataHome(dir.Path() / "xdg");
  const fs::path file = dir.Path() / "a b%会.dat";
  WriteBytes(file, 4);
  const TrashResult moved = MoveToTrash(file);
  ASSERT_TRUE(moved.Ok()) << moved.error;
  std::ifstream info(dir.Path() / "xdg/Trash/info/a b%会.dat.trashinfo");
  const std::string text{std::istreambuf_iterator<char>(info), std::istreambuf_iterator<char>()};
  EXPECT_THAT(text, HasSubstr("/a%20b%25%E4%BC%9A.dat\n"));
  EXPECT_FALSE(MoveToTrash(file).Ok()) << "gone already";
  EXPECT_FALSE(MoveToTrash("relative.dat").Ok());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path() / "xdg/Trash/info"), fs::directory_iterator{}), 1);
}

}  // namespace
}  // namespace orvx
