#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "common/PresetTestSupport.h"
#include "dsp/PresetCodec.h"
#include "dsp/PresetDatabase.h"

namespace orvx {
namespace {

using presettest::CTempDir;
using presettest::RawSql;
using presettest::RawValue;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class PresetDatabaseTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_EQ(m_db.Open(m_dir.Dir()), ""); }
  std::filesystem::path File() const { return m_dir.Path() / CPresetDatabase::kFileName; }
  std::vector<std::int64_t> Ids(PresetKind kind) {
    std::vector<std::int64_t> ids;
    for (const PresetEntry& e : m_db.List(kind).value) ids.push_back(e.id);
    return ids;
  }
  std::string BlockOf(PresetKind kind) {
    CDeviceState state;
    state.ResetToDefaults();
    return EncodePreset(kind, state, 0);
  }

  CTempDir m_dir;
  CPresetDatabase m_db;
};

TEST_F(PresetDatabaseTest, CreatesTheFileWithItsEightTables) {
  ASSERT_TRUE(std::filesystem::exists(File()));
  const std::pair<const char*, const char*> tables[] = {
      {"DELAY", "DELAYDTA"}, {"REV", "REVDATA"},     {"Compressor", "CompressorDATA"}, {"NOISE", "NOISEDATA"},
      {"PEQ", "PEQDATA"},    {"LIMIT", "LIMITDATA"}, {"GEQ", "GEQDATA"},               {"DeviceDATA", "FILENAME"},
  };
  for (const auto& [table, column] : tables) {
    SCOPED_TRACE(table);
    const std::string columns = RawValue(
        File(), std::string("SELECT group_concat(name, ',') FROM pragma_table_info('") + table + "') ");
    EXPECT_EQ(columns, std::string("ID,NAME,") + column);
  }
  EXPECT_EQ(RawValue(File(), "SELECT count(*) FROM sqlite_master WHERE type = 'table'"), "8");
}

TEST_F(PresetDatabaseTest, ANewIdIsTheHighestPlusOneAndGapsStay) {
  const std::string block = BlockOf(PresetKind::Peq);
  auto first = m_db.Save(PresetKind::Peq, block);
  ASSERT_TRUE(first.Ok()) << first.error;
  EXPECT_EQ(first.value, (PresetEntry{1, "SAVE1"}));
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(m_db.Save(PresetKind::Peq, block).Ok());
  ASSERT_EQ(m_db.Delete(PresetKind::Peq, 3), "");
  ASSERT_EQ(m_db.Delete(PresetKind::Peq, 4), "");
  EXPECT_THAT(Ids(PresetKind::Peq), ElementsAre(1, 2, 5));
  EXPECT_EQ(m_db.Save(PresetKind::Peq, block).value, (PresetEntry{6, "SAVE6"}));
  ASSERT_EQ(m_db.Delete(PresetKind::Peq, 6), "");
  EXPECT_EQ(m_db.Save(PresetKind::Peq, block).value, (PresetEntry{6, "SAVE6"}));
  EXPECT_THAT(Ids(PresetKind::Peq), ElementsAre(1, 2, 5, 6));
  EXPECT_THAT(Ids(PresetKind::Geq), IsEmpty()) << "every table counts its own numbers";
  EXPECT_EQ(m_db.Save(PresetKind::Geq, BlockOf(PresetKind::Geq)).value.id, 1);
}

TEST_F(PresetDatabaseTest, EveryTableStoresListsRenamesLoadsAndDeletes) {
  for (PresetKind kind : kPresetKinds) {
    SCOPED_TRACE(TableOf(kind).table);  // LIMIT among them: a keyword as a table name
    const std::string block = BlockOf(kind);
    auto saved = m_db.Save(kind, block);
    ASSERT_TRUE(saved.Ok()) << saved.error;
    ASSERT_TRUE(m_db.Save(kind, block).Ok());
    EXPECT_EQ(m_db.Rename(kind, 1, "Vocal"), "");
    const auto listed = m_db.List(kind);
    ASSERT_TRUE(listed.Ok()) << listed.error;
    EXPECT_THAT(listed.value, ElementsAre(PresetEntry{1, "Vocal"}, PresetEntry{2, "SAVE2"}));
    const auto loaded = m_db.Load(kind, 2);
    ASSERT_TRUE(loaded.Ok()) << loaded.error;
    EXPECT_EQ(loaded.value, block);
    EXPECT_EQ(m_db.Load(kind, 9).value, std::nullopt);
    EXPECT_EQ(m_db.Delete(kind, 1), "");
    EXPECT_THAT(Ids(kind), ElementsAre(2));
  }
}

TEST_F(PresetDatabaseTest, NamesAreStoredAsTyped) {
  const std::string block = BlockOf(PresetKind::Limiter);
  ASSERT_TRUE(m_db.Save(PresetKind::Limiter, block).Ok());
  ASSERT_TRUE(m_db.Save(PresetKind::Limiter, block).Ok());
  for (const std::string name : {"Bob's", "x';--", "a\"b", "预设一", "1=1 OR"}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(m_db.Rename(PresetKind::Limiter, 1, name), "");
    EXPECT_THAT(m_db.List(PresetKind::Limiter).value, ElementsAre(PresetEntry{1, name}, PresetEntry{2, "SAVE2"}));
  }
}

TEST_F(PresetDatabaseTest, AnExistingFileIsUsedAsItIs) {
  ASSERT_TRUE(m_db.Save(PresetKind::Delay, BlockOf(PresetKind::Delay)).Ok());
  m_db.Close();
  // Another program adds a row with its own spelling of the block.
  ASSERT_EQ(RawSql(File(), "INSERT INTO \"DELAY\" VALUES (7, 'hall', '0085 lower')"), "");
  ASSERT_EQ(m_db.Open(m_dir.Dir()), "");
  EXPECT_THAT(m_db.List(PresetKind::Delay).value, ElementsAre(PresetEntry{1, "SAVE1"}, PresetEntry{7, "hall"}));
  EXPECT_EQ(m_db.Load(PresetKind::Delay, 7).value, "0085 lower") << "read as stored; checked when recalled";
}

TEST_F(PresetDatabaseTest, AFileThatIsNotADatabaseIsAMessageAndStaysAsItWas) {
  m_db.Close();
  const std::string junk = "this is not a database, but somebody's notes\n";
  std::ofstream(File(), std::ios::binary | std::ios::trunc) << junk;
  const std::string error = m_db.Open(m_dir.Dir());
  EXPECT_THAT(error, HasSubstr("not a database"));
  EXPECT_FALSE(m_db.IsOpen());
  std::ifstream in(File(), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), junk);
  EXPECT_THAT(m_db.List(PresetKind::Peq).error, HasSubstr("not open"));
  EXPECT_FALSE(m_db.Save(PresetKind::Noise, BlockOf(PresetKind::Noise)).Ok());
}

TEST_F(PresetDatabaseTest, AMissingDirectoryIsAMessage) {
  CPresetDatabase other;
  EXPECT_THAT(other.Open((m_dir.Path() / "no" / "such").string()), HasSubstr("Cannot open"));
  EXPECT_FALSE(other.IsOpen());
}

TEST_F(PresetDatabaseTest, TablesAreCreatedAllOrNone) {
  m_db.Close();
  std::filesystem::remove(File());
  // A file of another program whose index takes one of the names: no table may be created.
  ASSERT_EQ(RawSql(File(), "CREATE TABLE other (x); CREATE INDEX \"GEQ\" ON other (x);"), "");
  EXPECT_THAT(m_db.Open(m_dir.Dir()), HasSubstr("GEQ"));
  EXPECT_EQ(RawValue(File(), "SELECT group_concat(name) FROM sqlite_master WHERE type = 'table'"), "other");
}

TEST_F(PresetDatabaseTest, AFailedWriteIsAMessageAndChangesNothing) {
  const std::string block = BlockOf(PresetKind::Compressor);
  ASSERT_TRUE(m_db.Save(PresetKind::Compressor, block).Ok());
  ASSERT_EQ(RawSql(File(), "CREATE TRIGGER no_insert BEFORE INSERT ON \"Compressor\" BEGIN SELECT RAISE(ABORT, 'disk is full'); END;"
                           "CREATE TRIGGER no_update BEFORE UPDATE ON \"Compressor\" BEGIN SELECT RAISE(ABORT, 'disk is full'); END;"
                           "CREATE TRIGGER no_delete BEFORE DELETE ON \"Compressor\" BEGIN SELECT RAISE(ABORT, 'disk is full'); END;"),
            "");
  EXPECT_THAT(m_db.Save(PresetKind::Compressor, block).error, HasSubstr("disk is full"));
  EXPECT_THAT(m_db.Rename(PresetKind::Compressor, 1, "x"), HasSubstr("disk is full"));
  EXPECT_THAT(m_db.Delete(PresetKind::Compressor, 1), HasSubstr("disk is full"));
  EXPECT_THAT(m_db.List(PresetKind::Compressor).value, ElementsAre(PresetEntry{1, "SAVE1"}));
  // The failed save left no transaction open: the next write of another table goes through.
  EXPECT_TRUE(m_db.Save(PresetKind::Noise, BlockOf(PresetKind::Noise)).Ok());
}

TEST_F(PresetDatabaseTest, OnlyAWellFormedBlockIsStored) {
  for (const char* block : {"", "01", "0100011G", "01000114XX", "0100011E0A64"}) {
    SCOPED_TRACE(block);
    EXPECT_FALSE(m_db.Save(PresetKind::Noise, block).Ok());
  }
  EXPECT_THAT(Ids(PresetKind::Noise), IsEmpty());
  EXPECT_TRUE(m_db.Save(PresetKind::Noise, "0100011e").Ok()) << "lower-case digits are digits";
}

}  // namespace
}  // namespace orvx
