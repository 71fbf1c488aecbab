// `orvxctl params`: every entry of the table, in table order, in valid JSON of a fixed shape, and a
// plain line per entry for people.

#include "CtlParamList.h"
#include "MiniJson.h"
#include "session/ParamTable.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace orvx {
namespace {

using test::Json;

TEST(CtlParamList, JsonListsEveryTableEntryInOrderWithItsFacts) {
  const auto doc = test::JsonReader::Read(FormatParamList(true));
  ASSERT_TRUE(doc.has_value());
  ASSERT_TRUE(doc->Has("params"));
  const Json& list = (*doc)["params"];
  ASSERT_EQ(list.kind, Json::Array);
  const auto table = AllParams();
  ASSERT_EQ(list.items.size(), table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    const ParamDef& d = table[i];
    const Json& p = list.items[i];
    SCOPED_TRACE(d.name);
    ASSERT_EQ(p.kind, Json::Object);
    EXPECT_EQ(p["name"].text, d.name);
    EXPECT_EQ(p["address"].text.rfind(d.name, 0), 0u);
    EXPECT_EQ(p["record"].kind, d.scope == ParamScope::Device ? Json::Null : Json::Object);
    EXPECT_EQ(p["index"].kind, d.indices == 0 ? Json::Null : Json::Object);
    if (d.scope != ParamScope::Device) {
      EXPECT_EQ(p["record"]["last"].number, d.records);
    }
    if (d.indices != 0) {
      EXPECT_EQ(p["index"]["last"].number, d.indices);
    }
    if (d.display.kind == DisplayKind::Text) {
      EXPECT_EQ(p["rawMin"].kind, Json::Null);
    } else {
      EXPECT_EQ(p["rawMin"].number, d.rawMin);
      EXPECT_EQ(p["rawMax"].number, d.rawMax);
      EXPECT_EQ(p["min"].text, FormatParam({d.id, 0, 0}, {d.rawMin, {}}, Language::English));
    }
    EXPECT_EQ(p["unit"].text, UnitText(d));
    ASSERT_EQ(p["captions"].items.size(), d.display.items.size());
    if (!d.display.items.empty()) {
      EXPECT_EQ(p["captions"].items[0].text, d.display.items[0].en);
    }
    EXPECT_EQ(p["command"].text == "state only", d.carrier == Carrier::None);
    for (const char* key : {"kind", "exceptions", "commandOnly", "readBack", "readBackOnly"})
      EXPECT_TRUE(p.Has(key)) << key;
  }
}

TEST(CtlParamList, ShowsAddressFormsRangesExceptionsCommandsAndReadBack) {
  const auto doc = test::JsonReader::Read(FormatParamList(true));
  ASSERT_TRUE(doc.has_value());
  auto entry = [&](ParamId id) -> const Json& { return (*doc)["params"].items[static_cast<std::size_t>(id)]; };
  EXPECT_EQ(entry(ParamId::InPeqGain)["address"].text, "in.peq.gain CH BAND");
  EXPECT_EQ(entry(ParamId::InPeqGain)["readBackOnly"].text, "CH 1..12 BAND 1..4");
  EXPECT_EQ(entry(ParamId::InPeqGain)["command"].text, "G");
  EXPECT_EQ(entry(ParamId::InPeqGain)["commandOnly"].text, "CH 1..16");
  EXPECT_EQ(entry(ParamId::AutoNom)["address"].text, "automix.nom");
  EXPECT_EQ(entry(ParamId::UnitSlot)["address"].text, "unit.slot UNIT SLOT");
  EXPECT_EQ(entry(ParamId::UnitSlot)["readBack"].text, "Y");
  EXPECT_EQ(entry(ParamId::InSolo)["command"].text, "state only");
  EXPECT_EQ(entry(ParamId::InSolo)["readBack"].text, "none");
  const Json& preamp = entry(ParamId::InPreamp)["exceptions"];
  ASSERT_EQ(preamp.items.size(), 1u);
  EXPECT_EQ(preamp.items[0]["records"].text, "9..18");
  EXPECT_EQ(preamp.items[0]["rawMax"].number, 1);
  EXPECT_EQ(preamp.items[0]["captions"].items[1].text, "10 dB");
  EXPECT_TRUE(entry(ParamId::InLevel)["exceptions"].items.empty());
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
