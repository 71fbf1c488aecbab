#pragma once
/// One builder per command letter. Each returns the complete frame text ("%" ... checksum "#").
///
/// Fields are "%02X" unless noted, written exactly as stored (no range check); a negative value is
/// masked to its field width so the frame stays well-formed. A channel, output, band or unit
/// outside the numbering the command addresses is refused: the builder returns an empty string,
/// which every sender treats as "nothing to send", so no record is ever read out of bounds.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/DeviceState.h"
#include "link/FrameBuilder.h"
#include "link/FramePlan.h"
#include "link/GlyphRenderer.h"

namespace orvx {

/// The device number that opens every command.
constexpr int kDeviceNumber = 1;
/// Wire channels of "%A" that carry no value (effect-return levels 27..30 and any other above 20).
constexpr int kFirstValuelessChannel = 21;
constexpr int kMaxWireChannel = 0xFF;
/// "%V": length of every name frame and the glyph area it carries.
constexpr int kNameFrameLength = 624;
constexpr int kGlyphAreaBytes = 288;
constexpr int kNameUnits = 8;

/// "%" letter "," and the device number: how every command begins.
CFrameBuilder DeviceCommand(char letter);

/// Level and mute: channel 1..12 input, 13..20 output, 21..255 device number and channel only.
std::string FrameA(const CDeviceState& s, int channel);
/// Matrix row of input channel 1..12: run of eight one-digit route flags.
std::string FrameB(const CDeviceState& s, int channel);
/// Compressor of channel 1..16, elements 0, 5, 1, 2, 3, 4.
std::string FrameC(const CDeviceState& s, int channel);
/// Limiter of output 1..8, elements 0, 5, 1, 2, 3, 4.
std::string FrameD(const CDeviceState& s, int output);
/// Low-pass of channel 1..16.
std::string FrameE(const CDeviceState& s, int channel);
/// High-pass of channel 1..16.
std::string FrameF(const CDeviceState& s, int channel);
/// Parametric band 1..5 of channel 1..16 (type + 1, gain halved).
std::string FrameG(const CDeviceState& s, int channel, int band);
/// Graphic EQ of output 1..8: a run of 31 halved gains.
std::string FrameH(const CDeviceState& s, int output);
/// MIC/LINE of output 1..8.
std::string FrameI(const CDeviceState& s, int output);
std::string FrameJ(const CDeviceState& s, int output);
std::string FrameK(const CDeviceState& s, int output);
/// Automatic-mixer threshold and priority of channel 1..8.
std::string FrameL(const CDeviceState& s, int channel);
/// The six automatic-mixer values.
std::string FrameM(const CDeviceState& s);
/// The four detector values.
std::string FrameN(const CDeviceState& s);
/// Source, phantom mask of inputs 1..8, preamp gain of input channel 1..18.
std::string FrameO(const CDeviceState& s, int channel);
/// Start (01) or stop (00) the processor's reports.
std::string FrameQ(bool start);
/// Name of channel 1..20 with its glyph bitmap; always kNameFrameLength characters.
std::string FrameV(const CDeviceState& s, int channel, IGlyphRenderer& renderer);
/// Call conference unit 1..4.
std::string FrameW(int unit);
/// Slot assignment of conference unit 1..4 (slot 0 travels as FF).
std::string FrameX(const CDeviceState& s, int unit);
/// State and version query.
std::string FrameZ();
/// Device-search probe: "%R,01,00,30A0#".
std::string FrameR();

/// The glyph area of a GBK name: every character rendered in turn, zero-filled and cut at 288 bytes
/// (bits as rendered, before the wire's bit reversal).
std::vector<std::uint8_t> RenderNameGlyphs(std::string_view gbkName, IGlyphRenderer& renderer);

/// Reverses the bit order of a byte (bit 7 becomes bit 0).
std::uint8_t ReverseBits(std::uint8_t b);

}  // namespace orvx
