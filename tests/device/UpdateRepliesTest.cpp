#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "device/ReplyFields.h"
#include "device/UpdateReplies.h"
#include "link/FrameChecksum.h"

namespace orvx {
namespace {

using Fields = std::vector<std::string_view>;

TEST(SplitReplyFields, ChecksTheFrameAndKeepsTheFieldsBeforeTheChecksum) {
  const std::string frame = CompleteFrame("%r,01,300,");
  EXPECT_EQ(SplitReplyFields(frame, kShortReplyFields), (Fields{"r", "01", "300"}));
  EXPECT_EQ(SplitReplyFields(frame, 2), (Fields{"r", "01"})) << "only the first fields are kept";
  EXPECT_EQ(SplitReplyFields(CompleteFrame("%Z,01,,x,"), 8), (Fields{"Z", "01", "", "x"}));

  for (const std::string& bad : {std::string("%r,01,300,0000#"),     // wrong checksum
                                 frame.substr(1),                     // no "%"
                                 frame.substr(0, frame.size() - 1),  // no "#"
                                 frame + " ", std::string("%#"), std::string()}) {
    EXPECT_FALSE(SplitReplyFields(bad, 8)) << bad;
  }
  // A checksum with letters, written in lower case, is refused.
  for (int i = 0; i < 100; ++i) {
    std::string f = CompleteFrame("%r,01," + std::to_string(i) + ",");
    const std::size_t digits = f.size() - 5;
    if (f.find_first_of("ABCDEF", digits) == std::string::npos) continue;
    for (std::size_t k = digits; k < digits + 4; ++k) f[k] = static_cast<char>(std::tolower(f[k]));
    EXPECT_FALSE(SplitReplyFields(f, 8)) << f;
    break;
  }
}

/// A "Z" reply whose field 27 holds `version` (the columns before it empty).
std::string ZReply(const std::string& version) {
  std::string text = "%Z,01,";
  for (int i = 2; i < 27; ++i) text += ",";
  return CompleteFrame(text + version + ",");
}

TEST(UpdateReplies, TheHardwareVersionComesFromTheFirstZFrameNotTheFirstFrame) {
  const std::string report = CompleteFrame("%Q,01,00112233,");
  EXPECT_EQ(HardwareVersionFromReply(report + ZReply("32")), "32");
  EXPECT_EQ(HardwareVersionFromReply(ZReply("0102")), "02") << "the last two characters";
  EXPECT_EQ(HardwareVersionFromReply(ZReply("7")), "7");
  EXPECT_EQ(HardwareVersionFromReply("noise" + ZReply("31") + ZReply("40")), "31");
  EXPECT_FALSE(HardwareVersionFromReply(report));
  EXPECT_FALSE(HardwareVersionFromReply(ZReply("")));
  EXPECT_FALSE(HardwareVersionFromReply(CompleteFrame("%Z,01,32,"))) << "no field 27";
  std::string damaged = ZReply("32");
  damaged[damaged.size() - 2] = damaged[damaged.size() - 2] == '0' ? '1' : '0';
  EXPECT_FALSE(HardwareVersionFromReply(damaged));

  EXPECT_EQ(BasicVersionFromReply(report + CompleteFrame("%r,01,300,")), "300");
  EXPECT_EQ(BasicVersionFromReply(CompleteFrame("%r,01,0299,")), "0299") << "stored whole";
  EXPECT_FALSE(BasicVersionFromReply(CompleteFrame("%R,01,300,")));
}

struct ReportCase {
  std::string text;
  bool reported;
  bool ok;
};

class CompletionReport : public ::testing::TestWithParam<ReportCase> {};

TEST_P(CompletionReport, OnlyAValidReportWithStatus00Succeeds) {
  const UploadResult r = UploadResultFromReply(GetParam().text);
  EXPECT_EQ(r.reported, GetParam().reported) << GetParam().text;
  EXPECT_EQ(r.ok, GetParam().ok) << GetParam().text;
  if (r.reported) {
    EXPECT_NE(GetParam().text.find(r.report), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Reports, CompletionReport,
    ::testing::Values(ReportCase{CompleteFrame("%U,01,00,"), true, true},
                      ReportCase{CompleteFrame("%Y,01,05,") + CompleteFrame("%U,01,00,"), true, true},
                      ReportCase{CompleteFrame("%U,01,03,"), true, false},
                      ReportCase{CompleteFrame("%U,01,0A,"), true, false},  // no longer read as 0
                      ReportCase{CompleteFrame("%U,01,0,x,"), true, false},  // "0," no longer read as 0
                      ReportCase{CompleteFrame("%U,01,000,"), true, false},
                      ReportCase{CompleteFrame("%U,01,"), true, false},  // no status at all
                      ReportCase{"%U,01,00,0000#", false, false},        // a bad checksum is no report
                      ReportCase{"%U,01,00,", false, false}, ReportCase{"", false, false}));

}  // namespace
}  // namespace orvx
