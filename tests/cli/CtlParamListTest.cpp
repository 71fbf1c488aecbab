// `orvxctl params`: every entry of the table, in table order, in valid JSON of a fixed shape, and a
// plain line per entry for people.

#include "CtlParamList.h"
#include "session/ParamTable.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>

namespace orvx {
namespace {

using Json = nlohmann::json;

/// The list as a script reads it. A document that is not JSON, or a key that is missing, throws
/// and fails the test.
Json ReadList() { return Json::parse(FormatParamList(true)); }

TEST(CtlParamList, JsonListsEveryTableEntryInOrderWithItsFacts) {
  const Json doc = ReadList();
  ASSERT_TRUE(doc.contains("params"));
  const Json& list = doc.at("params");
  ASSERT_TRUE(list.is_array());
  const auto table = AllParams();
  ASSERT_EQ(list.size(), table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    const ParamDef& d = table[i];
    const Json& p = list.at(i);
    SCOPED_TRACE(d.name);
    ASSERT_TRUE(p.is_object());
    EXPECT_EQ(p.at("name"), d.name);
    EXPECT_EQ(p.at("address").get<std::string>().rfind(d.name, 0), 0u);
    EXPECT_EQ(p.at("record").is_null(), d.scope == ParamScope::Device);
    EXPECT_EQ(p.at("index").is_null(), d.indices == 0);
    if (d.scope != ParamScope::Device) {
      EXPECT_EQ(p.at("record").at("last"), d.records);
    }
    if (d.indices != 0) {
      EXPECT_EQ(p.at("index").at("last"), d.indices);
    }
    if (d.display.kind == DisplayKind::Text) {
      EXPECT_TRUE(p.at("rawMin").is_null());
    } else {
      EXPECT_EQ(p.at("rawMin"), d.rawMin);
      EXPECT_EQ(p.at("rawMax"), d.rawMax);
      EXPECT_EQ(p.at("min"), FormatParam({d.id, 0, 0}, {d.rawMin, {}}, Language::English));
    }
    EXPECT_EQ(p.at("unit"), UnitText(d));
    ASSERT_EQ(p.at("captions").size(), d.display.items.size());
    if (!d.display.items.empty()) {
      EXPECT_EQ(p.at("captions").at(0), d.display.items[0].en);
    }
    EXPECT_EQ(p.at("command") == "state only", d.carrier == Carrier::None);
    for (const char* key : {"kind", "exceptions", "commandOnly", "readBack", "readBackOnly"})
      EXPECT_TRUE(p.contains(key)) << key;
  }
}

TEST(CtlParamList, ShowsAddressFormsRangesExceptionsCommandsAndReadBack) {
  const Json doc = ReadList();
  auto entry = [&](ParamId id) -> const Json& { return doc.at("params").at(static_cast<std::size_t>(id)); };
  EXPECT_EQ(entry(ParamId::InPeqGain).at("address"), "in.peq.gain CH BAND");
  EXPECT_EQ(entry(ParamId::InPeqGain).at("readBackOnly"), "CH 1..12 BAND 1..4");
  EXPECT_EQ(entry(ParamId::InPeqGain).at("command"), "G");
  EXPECT_EQ(entry(ParamId::InPeqGain).at("commandOnly"), "CH 1..16");
  EXPECT_EQ(entry(ParamId::AutoNom).at("address"), "automix.nom");
  EXPECT_EQ(entry(ParamId::UnitSlot).at("address"), "unit.slot UNIT SLOT");
  EXPECT_EQ(entry(ParamId::UnitSlot).at("readBack"), "Y");
  EXPECT_EQ(entry(ParamId::InSolo).at("command"), "state only");
  EXPECT_EQ(entry(ParamId::InSolo).at("readBack"), "none");
  const Json& preamp = entry(ParamId::InPreamp).at("exceptions");
  ASSERT_EQ(preamp.size(), 1u);
  EXPECT_EQ(preamp.at(0).at("records"), "9..18");
  EXPECT_EQ(preamp.at(0).at("rawMax"), 1);
  EXPECT_EQ(preamp.at(0).at("captions").at(1), "10 dB");
  EXPECT_TRUE(entry(ParamId::InLevel).at("exceptions").empty());
}

TEST(CtlParamList, PlainTextHasOneLinePerEntryStartingWithItsAddress) {
  std::istringstream text(FormatParamList(false));
  std::string line;
  for (const ParamDef& d : AllParams()) {
    ASSERT_TRUE(std::getline(text, line)) << d.name;
    EXPECT_EQ(line.rfind(std::string(d.name) + " ", 0), 0u) << line;
  }
  EXPECT_FALSE(std::getline(text, line)) << line;
  EXPECT_NE(FormatParamList(false).find("in.peq.gain CH BAND           raw 0..300 = -15.0dB .. 15.0dB; command G"),
            std::string::npos);
}

}  // namespace
}  // namespace orvx
