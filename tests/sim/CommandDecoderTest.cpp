#include "CommandDecoder.h"
#include "device/UploadFrames.h"

#include "link/Commands.h"
#include "link/FrameChecksum.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace orvx {
namespace {

/// Blank glyphs of the right size: the decoder only checks the glyph area's shape.
class BlankGlyphs final : public IGlyphRenderer {
public:
  std::vector<std::uint8_t> RenderGlyph(std::string_view c) override {
    return std::vector<std::uint8_t>(IsWideGlyph(c) ? kWideGlyphBytes : kNarrowGlyphBytes, 0x5A);
  }
};

CDeviceState Defaults() {
  CDeviceState s;
  s.ResetToDefaults();
  return s;
}

/// One command: change the editor's state, build the frame with the editor's builder, and name the
/// fields the processor must end up with.
struct RoundTripCase {
  const char* name;
  std::function<void(CDeviceState&)> edit;
  std::function<std::string(const CDeviceState&)> frame;
  std::function<std::vector<std::int64_t>(const CDeviceState&)> fields;
};

std::vector<std::int64_t> Block(const std::int32_t (&b)[6]) { return {b[0], b[1], b[2], b[3], b[4], b[5]}; }

const std::vector<RoundTripCase>& RoundTripCases() {
  static BlankGlyphs glyphs;
  static const std::vector<RoundTripCase> cases = {
      {"A input",
       [](CDeviceState& s) {
         s.in[4].mute = 1;
         s.in[4].level = 33;
       },
       [](const CDeviceState& s) { return FrameA(s, 5); },
       [](const CDeviceState& s) -> std::vector<std::int64_t> {
         return {s.in[4].mute, s.in[4].level};
       }},
      {"A output",
       [](CDeviceState& s) {
         s.out[7].mute = 1;
         s.out[7].level = 12;
       },
       [](const CDeviceState& s) { return FrameA(s, 20); },
       [](const CDeviceState& s) -> std::vector<std::int64_t> {
         return {s.out[7].mute, s.out[7].level};
       }},
      {"B route",
       [](CDeviceState& s) {
         s.in[11].route[0] = 1;
         s.in[11].route[7] = 1;
       },
       [](const CDeviceState& s) { return FrameB(s, 12); },
       [](const CDeviceState& s) {
         return std::vector<std::int64_t>(std::begin(s.in[11].route), std::end(s.in[11].route));
       }},
      {"C compressor",
       [](CDeviceState& s) {
         const std::int32_t b[6] = {1, 2, 3, 4, 5, 6};
         std::memcpy(s.in[15].comp, b, sizeof b);
       },
       [](const CDeviceState& s) { return FrameC(s, 16); }, [](const CDeviceState& s) { return Block(s.in[15].comp); }},
      {"D limiter",
       [](CDeviceState& s) {
         const std::int32_t b[6] = {1, 9, 8, 7, 6, 5};
         std::memcpy(s.out[2].limiter, b, sizeof b);
       },
       [](const CDeviceState& s) { return FrameD(s, 3); },
       [](const CDeviceState& s) { return Block(s.out[2].limiter); }},
      {"E low-pass",
       [](CDeviceState& s) {
         s.in[0].lpfOn = 1;
         s.in[0].lpfFreq = 12000;
         s.in[0].lpfSlope = 6;
       },
       [](const CDeviceState& s) { return FrameE(s, 1); },
       [](const CDeviceState& s) -> std::vector<std::int64_t> {
         return {s.in[0].lpfOn, s.in[0].lpfKind, s.in[0].lpfFreq, s.in[0].lpfSlope};
       }},
      {"F high-pass",
       [](CDeviceState& s) {
         s.in[13].hpfOn = 1;
         s.in[13].hpfFreq = 120;
         s.in[13].hpfSlope = 4;
       },
       [](const CDeviceState& s) { return FrameF(s, 14); },
       [](const CDeviceState& s) -> std::vector<std::int64_t> {
         return {s.in[13].hpfOn, s.in[13].hpfKind, s.in[13].hpfFreq, s.in[13].hpfSlope};
       }},
      {"G band 5",
       [](CDeviceState& s) {
         s.in[2].peqOn = 1;
         s.in[2].peq[4] = {8000, 220, 35, {0, 0}, 2};
       },
       [](const CDeviceState& s) { return FrameG(s, 3, 5); },
       [](const CDeviceState& s) -> std::vector<std::int64_t> {
         const PeqBand& b = s.in[2].peq[4];
         return {s.in[2].peqOn, b.freq, b.gain, b.q, b.type};
       }},
      {"H graphic EQ",
       [](CDeviceState& s) {
         s.out[1].geqOn = 1;
         for (int b = 0; b < kGeqBands; ++b) s.out[1].geq[b].gain = 2 * (b * 4);
       },
       [](const CDeviceState& s) { return FrameH(s, 2); },
       [](const CDeviceState& s) {
         std::vector<std::int64_t> v{s.out[1].geqOn};
         for (const GeqBand& b : s.out[1].geq) v.push_back(b.gain);
         return v;
       }},
      {"I line level", [](CDeviceState& s) { s.out[3].lineLevel = 1; },
       [](const CDeviceState& s) { return FrameI(s, 4); },
       [](const CDeviceState& s) -> std::vector<std::int64_t> { return {s.out[3].lineLevel}; }},
      {"J setting", [](CDeviceState& s) { s.out[5].outSettingJ = 0x2A; },
       [](const CDeviceState& s) { return FrameJ(s, 6); },
       [](const CDeviceState& s) -> std::vector<std::int64_t> { return {s.out[5].outSettingJ}; }},
      {"K setting", [](CDeviceState& s) { s.out[6].outSettingK = 3; },
       [](const CDeviceState& s) { return FrameK(s, 7); },
       [](const CDeviceState& s) -> std::vector<std::int64_t> { return {s.out[6].outSettingK}; }},
      {"L threshold",
       [](CDeviceState& s) {
         s.in[7].threshold = 50;
         s.in[7].priority = 1;
       },
       [](const CDeviceState& s) { return FrameL(s, 8); },
       [](const CDeviceState& s) -> std::vector<std::int64_t> {
         return {s.in[7].threshold, s.in[7].priority};
       }},
      {"M automix",
       [](CDeviceState& s) {
         const std::int32_t a[6] = {1, 3, 1, 100, 12, 30};
         std::memcpy(s.automix, a, sizeof a);
       },
       [](const CDeviceState& s) { return FrameM(s); },
       [](const CDeviceState& s) { return std::vector<std::int64_t>(std::begin(s.automix), std::end(s.automix)); }},
      {"N detector",
       [](CDeviceState& s) {
         const std::int32_t d[4] = {100, 200, 1, 40};
         std::memcpy(s.detector, d, sizeof d);
       },
       [](const CDeviceState& s) { return FrameN(s); },
       [](const CDeviceState& s) { return std::vector<std::int64_t>(std::begin(s.detector), std::end(s.detector)); }},
      {"O source and phantom",
       [](CDeviceState& s) {
         s.in[9].source = 3;
         s.in[9].preampGain = 1;
         s.in[0].phantom = 1;
         s.in[7].phantom = 1;
       },
       [](const CDeviceState& s) { return FrameO(s, 10); },
       [](const CDeviceState& s) {
         std::vector<std::int64_t> v{s.in[9].source, s.in[9].preampGain};
         for (int r = 0; r < kAutomixInputs; ++r) v.push_back(s.in[r].phantom);
         return v;
       }},
      {"V name",
       [](CDeviceState& s) {
         SetNameBytes(s.out[0].shortName,
                      "\xD6\xD0\xCE\xC4"
                      "AB");
       },
       [](const CDeviceState& s) { return FrameV(s, 13, glyphs); },
       [](const CDeviceState& s) {
         const std::string n = NameBytes(s.out[0].shortName);
         return std::vector<std::int64_t>(n.begin(), n.end());
       }},
      {"X unit slots",
       [](CDeviceState& s) {
         const std::uint8_t u[5] = {3, 0, 0, 0, 17};
         std::memcpy(s.unitSlots[1], u, 5);
       },
       [](const CDeviceState& s) { return FrameX(s, 2); },
       [](const CDeviceState& s) {
         return std::vector<std::int64_t>(std::begin(s.unitSlots[1]), std::end(s.unitSlots[1]));
       }},
  };
  return cases;
}

TEST(CommandDecoder, EveryEditorCommandLandsInTheProcessorState) {
  for (const RoundTripCase& c : RoundTripCases()) {
    SCOPED_TRACE(c.name);
    CDeviceState editor = Defaults();
    c.edit(editor);
    CDeviceState processor = Defaults();
    ASSERT_NE(c.fields(editor), c.fields(processor)) << "the case must change something";
    const CommandEffect e = ApplyCommand(c.frame(editor), processor);
    EXPECT_EQ(e.kind, CommandKind::Applied) << e.why;
    EXPECT_EQ(c.fields(processor), c.fields(editor));
  }
}

TEST(CommandDecoder, ControlCommandsAreRecognised) {
  CDeviceState s = Defaults();
  EXPECT_EQ(ApplyCommand(FrameQ(true), s).kind, CommandKind::ReportsOn);
  EXPECT_EQ(ApplyCommand(FrameQ(false), s).kind, CommandKind::ReportsOff);
  EXPECT_EQ(ApplyCommand(FrameZ(), s).kind, CommandKind::StateQuery);
  EXPECT_EQ(ApplyCommand(FrameW(3), s).kind, CommandKind::UnitCall);
  EXPECT_EQ(ApplyCommand(FrameR(), s).kind, CommandKind::SearchProbe);
  EXPECT_EQ(ApplyCommand(FrameA(s, 27), s).kind, CommandKind::Applied);  // effect level: no value
  // The firmware transfer's frames go to the receiver; the completion report is never a command.
  EXPECT_EQ(ApplyCommand(FrameUploadStart(UpdateTarget::Digital, 1, 100), s).kind, CommandKind::UploadStart);
  EXPECT_EQ(ApplyCommand(FrameUploadBlock(UpdateTarget::Dsp, 0, UploadBlock{}), s).kind, CommandKind::UploadBlock);
  EXPECT_EQ(ApplyCommand(CompleteFrame("%U,01,00,"), s).kind, CommandKind::Unknown);
}

TEST(CommandDecoder, MalformedFramesLeaveTheStateUntouched) {
  const std::vector<std::string> bad = {
      "%A,01,05,01,46,0000#",                                               // wrong checksum
      CompleteFrame("%A,01,05,01,"),                                        // missing level
      CompleteFrame("%A,01,05,01,46,00,"),                                  // one field too many
      CompleteFrame("%A,01,00,01,46,"),                                     // channel 0
      CompleteFrame("%A,01,15,01,46,"),                                     // channel 21 carries no value
      CompleteFrame("%A,01,05,0G,46,"),                                     // not hex
      CompleteFrame("%A,02,05,01,46,"),                                     // another device number
      CompleteFrame("%B,01,0D,10000001,"),                                  // matrix rows are inputs 1..12
      CompleteFrame("%B,01,01,1000001,"),                                   // run of seven
      CompleteFrame("%G,01,01,01,06,02,07D0,4B,0A,"),                       // band 6
      CompleteFrame("%H,01,01,01,4B4B,"),                                   // short graphic run
      CompleteFrame("%L,01,09,32,00,"),                                     // automixer channels are 1..8
      CompleteFrame("%Q,01,02,"),                                           // neither start nor stop
      CompleteFrame("%X,01,05,03FFFFFF11,"),                                // unit 5
      CompleteFrame("%V,01,01,0041,00,"),                                   // short name area
      CompleteFrame("%Z,01,00,"),                                           // "%Z" has no fields
      CompleteFrame("%A,01,05,01,0046,"),                                   // a level wider than its field
      CompleteFrame("%A,01,0005,01,46,"),                                   // a channel wider than its field
      CompleteFrame("%G,01,01,01,01,80000000,07D0,4B,0A,"),                 // a type that would wrap when offset
      CompleteFrame("%G,01,01,01,01,02,07D0,7FFFFFFF,0A,"),                 // a gain that would wrap when doubled
      CompleteFrame("%F,01,01,01,02,0007D0,02,01,"),                        // a frequency wider than "%04X"
      CompleteFrame("%M,01," + std::string(12, 'F') + ",00,00,00,00,00,"),  // a long run of digits
  };
  for (const std::string& frame : bad) {
    SCOPED_TRACE(frame);
    CDeviceState s = Defaults();
    const CDeviceState before = s;
    EXPECT_EQ(ApplyCommand(frame, s).kind, CommandKind::Refused);
    EXPECT_EQ(std::memcmp(s.in, before.in, sizeof s.in), 0);
    EXPECT_EQ(std::memcmp(s.out, before.out, sizeof s.out), 0);
    EXPECT_EQ(std::memcmp(s.unitSlots, before.unitSlots, sizeof s.unitSlots), 0);
  }
}

TEST(CommandDecoder, ProcessorKeepsLevelsAndFlagsInRange) {
  CDeviceState s = Defaults();
  ASSERT_EQ(ApplyCommand(CompleteFrame("%A,01,03,07,C8,"), s).kind, CommandKind::Applied);
  EXPECT_EQ(s.in[2].mute, 1);
  EXPECT_EQ(s.in[2].level, kLevelMax);
  ASSERT_EQ(ApplyCommand(CompleteFrame("%L,01,02,FF,01,"), s).kind, CommandKind::Applied);
  EXPECT_EQ(s.in[1].threshold, 80);
}

}  // namespace
}  // namespace orvx
