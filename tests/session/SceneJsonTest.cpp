#include "session/SceneJson.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstring>

#include "common/VariedState.h"
#include "core/StateImage.h"
#include "session/ReceivedValues.h"

namespace orvx {
namespace {

using Json = nlohmann::ordered_json;
using ::testing::HasSubstr;

/// A scene file with more than the values in it: words no parameter names, bytes after a name's
/// end, the link and firmware words of the processor it was saved from.
std::vector<std::uint8_t> FullImage() {
  CDeviceState s = scenetest::VariedState();
  s.link.online = true;
  std::snprintf(s.firmwareVersion.data(), s.firmwareVersion.size(), "32");
  s.unitCount = 3;
  s.in[2].reserved[7] = -12345;
  s.out[1].geq[4].q = 41;
  s.in[3].peq[0].gain = 151;  // an odd gain, as older scenes hold them: written and read as it is
  std::vector<std::uint8_t> image = image::EncodeScene(s);
  const std::int32_t header = 0x5A5A1234;
  std::memcpy(image.data(), &header, 4);
  image[image::kFurtherWords + 100] = 0xEE;
  // Bytes after the end of input 1's name (offset of shortName within the record: 140*4 - 36).
  image[image::kInputs + 560 - 36 + 12] = 'z';
  return image;
}

Json Doc(const std::vector<std::uint8_t>& image) { return Json::parse(SceneImageToJson(image, "Morning 会议")); }

Json& Entry(Json& doc, const std::string& param, int record, int index = 0) {
  for (Json& e : doc["values"]) {
    if (e["param"] == param && (!e.contains("record") || e["record"] == record) &&
        (!e.contains("index") || e["index"] == index))
      return e;
  }
  throw std::runtime_error("no entry " + param);
}

TEST(SceneJson, AFileExportedAndImportedIsTheSameFileByteForByte) {
  const std::vector<std::uint8_t> image = FullImage();
  const std::string text = SceneImageToJson(image, "Morning 会议");
  const SceneFromJson back = SceneImageFromJson(text);
  ASSERT_TRUE(back.Ok()) << back.error;
  EXPECT_EQ(back.name, "Morning 会议");
  EXPECT_TRUE(back.image == image);

  // Every value of the table by name, in units and raw.
  const Json doc = Json::parse(text);
  std::size_t addresses = 0;
  for (const ParamDef& d : AllParams()) addresses += AddressesOf(d).size();
  EXPECT_EQ(doc["values"].size(), addresses);
  Json copy = doc;
  EXPECT_EQ(Entry(copy, "in.name", 1)["value"], "讲台");
  EXPECT_EQ(Entry(copy, "in.peq.gain", 5, 2)["value"],
            FormatParam({ParamId::InPeqGain, 4, 1}, {Entry(copy, "in.peq.gain", 5, 2)["raw"].get<int>(), {}},
                        Language::English));
  EXPECT_FALSE(Entry(copy, "automix.nom", 0).contains("record"));
  EXPECT_GT(doc["kept"].size(), 3u) << "the header, the spare word, the name's tail, the link";
}

TEST(SceneJson, AnEditedValueInUnitsOrEitherLanguageIsTaken) {
  Json doc = Doc(FullImage());
  Json& level = Entry(doc, "in.level", 2);
  level.erase("raw");
  level["value"] = "−6 dB";  // the typographic minus, a blank before the unit
  Json& mute = Entry(doc, "out.mute", 3);
  mute.erase("raw");
  mute["value"] = "打开";
  Json& name = Entry(doc, "out.name", 2);
  name.erase("raw");
  name["value"] = "返送";
  const SceneFromJson back = SceneImageFromJson(doc.dump());
  ASSERT_TRUE(back.Ok()) << back.error;
  CDeviceState s;
  ASSERT_TRUE(image::DecodeScene(back.image, s));
  EXPECT_EQ(s.in[1].level, 54);
  EXPECT_EQ(s.out[2].mute, 1);
  EXPECT_EQ(GbkToUtf8(NameBytes(s.out[1].shortName)), "返送");
  // Everything else stayed as the file had it.
  std::vector<std::uint8_t> expected = FullImage();
  CDeviceState original;
  image::DecodeScene(expected, original);
  EXPECT_EQ(s.in[5].peq[2].freq, original.in[5].peq[2].freq);
  EXPECT_EQ(back.image[0], expected[0]);
}

TEST(SceneJson, ARefusedDocumentNamesTheEntryAndWhy) {
  const Json good = Doc(FullImage());
  struct Case {
    const char* what;
    std::function<void(Json&)> edit;
    const char* says;
  } cases[] = {
      {"unknown name", [](Json& d) { d["values"][0]["param"] = "in.levle"; },
       "values[0]: unknown parameter \"in.levle\""},
      {"raw out of range", [](Json& d) { Entry(d, "in.level", 3)["raw"] = 71; },
       "in.level record 3: raw 71 is outside 0..70"},
      {"value out of range",
       [](Json& d) {
         Entry(d, "in.level", 3).erase("raw");
         Entry(d, "in.level", 3)["value"] = "+20dB";
       },
       "in.level record 3: +20dB is outside the range of VOLUME"},
      {"preamp of input 10", [](Json& d) { Entry(d, "in.preamp", 10)["raw"] = 3; }, "raw 3 is outside 0..1"},
      {"value and raw disagree",
       [](Json& d) {
         Entry(d, "in.level", 3)["value"] = "-6dB";
         Entry(d, "in.level", 3)["raw"] = 60;
       },
       "value \"-6dB\" and raw 60 disagree"},
      {"record outside", [](Json& d) { Entry(d, "in.level", 3)["record"] = 19; }, "\"record\" must be 1..18"},
      {"index missing", [](Json& d) { Entry(d, "in.peq.q", 1, 1).erase("index"); }, "needs \"index\""},
      {"twice", [](Json& d) { d["values"].push_back(d["values"][0]); }, "given twice"},
      {"name too long",
       [](Json& d) {
         Entry(d, "in.name", 1).erase("raw");
         Entry(d, "in.name", 1)["value"] = "一二三四五六七八";
       },
       "does not fit a name"},
      {"name raw", [](Json& d) { Entry(d, "in.name", 1)["raw"] = "41"; }, "32 hex digits"},
      {"nothing given", [](Json& d) { Entry(d, "out.level", 1).erase("raw"), Entry(d, "out.level", 1).erase("value"); },
       "needs \"value\" or \"raw\""},
      {"kept off a word", [](Json& d) { d["kept"][0]["at"] = 3; }, "kept[0]: \"at\" must be a multiple of 4"},
      {"kept outside", [](Json& d) { d["kept"][0]["at"] = 20'568; }, "inside the scene"},
      {"another format", [](Json& d) { d["format"] = "preset"; }, "not a scene document"},
      {"another version", [](Json& d) { d["version"] = 2; }, "another version"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Json doc = good;
    c.edit(doc);
    const SceneFromJson back = SceneImageFromJson(doc.dump());
    EXPECT_FALSE(back.Ok());
    EXPECT_THAT(back.error, HasSubstr(c.says));
    EXPECT_TRUE(back.image.empty());
  }
  EXPECT_EQ(SceneImageFromJson("{\"format\": ").error, "not a JSON document");
}

TEST(SceneJson, AValueADocumentLeavesOutTakesItsStartUpValue) {
  const SceneFromJson back = SceneImageFromJson(
      R"({"format": "orvx-scene", "version": 1, "values": [{"param": "in.level", "record": 1, "value": "-6dB"}]})");
  ASSERT_TRUE(back.Ok()) << back.error;
  CDeviceState expected;
  expected.ResetToDefaults();
  ClampToTable(expected);
  expected.in[0].level = 54;
  EXPECT_TRUE(back.image == image::EncodeScene(expected));
}

}  // namespace
}  // namespace orvx
