#include <gtest/gtest.h>

#include "FirmwareReceiver.h"
#include "device/FirmwareImage.h"
#include "device/UploadFrames.h"
#include "link/FrameChecksum.h"

namespace orvx {
namespace {

/// Sends `image` as the editor does and returns every answer, in order ("later" ones marked).
std::vector<std::string> Transfer(CFirmwareReceiver& r, const CFirmwareImage& image, int skipBlock = -1) {
  std::vector<std::string> answers;
  auto take = [&](const CFirmwareReceiver::Answer& a) {
    answers.insert(answers.end(), a.now.begin(), a.now.end());
    for (const std::string& f : a.later) answers.push_back("later " + f);
  };
  take(r.Start(FrameUploadStart(UpdateTarget::Dsp, image.AnnouncedBlocks(), image.Length())));
  for (int i = 0; i < image.SentBlocks(); ++i)
    if (i != skipBlock) take(r.Block(FrameUploadBlock(UpdateTarget::Dsp, i, image.Block(i))));
  return answers;
}

TEST(FirmwareReceiver, CountsTheChecksumInAndReportsAfterTheLastBlock) {
  CFirmwareReceiver r;
  const CFirmwareImage image(std::vector<std::uint8_t>(1023, 0x5A));  // announced 1, sent 2
  EXPECT_EQ(Transfer(r, image), (std::vector<std::string>{CompleteFrame("%S,01,00,"), CompleteFrame("%Y,01,00,"),
                                                          CompleteFrame("%Y,01,01,"),
                                                          "later " + CompleteFrame("%U,01,00,")}));
  ASSERT_EQ(r.Images().size(), 1u);
  EXPECT_TRUE(r.Images()[0].crcOk);
  EXPECT_EQ(r.Images()[0].bytes.size(), 1023u);
}

TEST(FirmwareReceiver, RefusesWhatDoesNotAddUpAndAnswersNothing) {
  CFirmwareReceiver r;
  const CFirmwareImage image(std::vector<std::uint8_t>(3000, 1));
  EXPECT_TRUE(r.Start(FrameUploadStart(UpdateTarget::Dsp, 2, 3000)).now.empty()) << "3,000 bytes are 3 blocks";
  EXPECT_TRUE(r.Block(FrameUploadBlock(UpdateTarget::Dsp, 0, image.Block(0))).now.empty()) << "no start";

  // A block out of order ends the transfer: nothing after it is answered, no report comes.
  const std::vector<std::string> answers = Transfer(r, image, 1);
  EXPECT_EQ(answers, (std::vector<std::string>{CompleteFrame("%S,01,00,"), CompleteFrame("%Y,01,00,")}));
  EXPECT_TRUE(r.Images().empty());

  r.Start(FrameUploadStart(UpdateTarget::Dsp, 3, 3000));
  EXPECT_TRUE(r.Block(FrameUploadBlock(UpdateTarget::Digital, 0, image.Block(0))).now.empty()) << "another target";
}

TEST(FirmwareReceiver, ABadChecksumIsReported03AndFaultsAreKept) {
  CFirmwareReceiver r;
  const CFirmwareImage image(std::vector<std::uint8_t>(100, 7));
  r.Start(FrameUploadStart(UpdateTarget::Digital, 1, 100));
  UploadBlock damaged = image.Block(0);
  damaged[100] ^= 0xFF;  // the checksum's high byte
  EXPECT_EQ(r.Block(FrameUploadBlock(UpdateTarget::Digital, 0, damaged)).later,
            std::vector<std::string>{CompleteFrame("%U,01,03,")});
  EXPECT_FALSE(r.Images().back().crcOk);

  CFirmwareReceiver silent({1, false, true});
  const CFirmwareImage two(std::vector<std::uint8_t>(1500, 3));
  EXPECT_EQ(Transfer(silent, two), (std::vector<std::string>{CompleteFrame("%S,01,00,"), CompleteFrame("%Y,01,00,")}))
      << "block 1's answer dropped, no report";
  EXPECT_TRUE(silent.Images().back().crcOk) << "the image itself arrived";
}

}  // namespace
}  // namespace orvx
