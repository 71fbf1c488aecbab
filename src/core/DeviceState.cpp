#include "core/DeviceState.h"

#include "core/NumberText.h"
#include "core/TextCodec.h"

#include <algorithm>
#include <cstring>

namespace orvx {
namespace {

constexpr std::int32_t kPeqDefaultFreq[kPeqBands] = {200, 500, 1250, 2000, 5000};
constexpr std::int32_t kGeqCentres[kGeqBands] = {20,   25,   32,   40,   50,   63,    80,    100,   125,  160,  200,
                                                 250,  315,  400,  500,  630,  800,   1000,  1250,  1600, 2000, 2500,
                                                 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};
constexpr std::int32_t kCompDefault[6] = {0, 0, 1, 20, 0, 10};
constexpr std::int32_t kDyn2Default[6] = {0, 0, 20, 1, 20, 0};
constexpr std::int32_t kDelayDefault[4] = {10, 10, 0, 20};
constexpr std::int32_t kReverbDefault[6] = {30, 30, 30, 30, 1, 20};

void Clamp(std::int32_t& v, std::int32_t lo, std::int32_t hi) { v = std::clamp(v, lo, hi); }

void SetNameUtf8(Name& field, const std::string& utf8) { SetNameBytes(field, Utf8ToGbk(utf8)); }

void ResetInput(InputChannel& c, int record, Language language) {
  std::memset(&c, 0, sizeof c);
  for (int b = 0; b < kPeqBands; ++b) {
    c.peq[b].freq = kPeqDefaultFreq[b];
    c.peq[b].gain = 150;
    c.peq[b].q = 100;
  }
  c.hpfFreq = 20;
  c.hpfKind = 2;
  c.hpfSlope = 2;
  c.lpfFreq = 20000;
  c.lpfKind = 2;
  c.lpfSlope = 2;
  c.level = 70;
  std::copy(std::begin(kCompDefault), std::end(kCompDefault), c.comp);
  std::copy(std::begin(kDyn2Default), std::end(kDyn2Default), c.dyn2);
  std::copy(std::begin(kDelayDefault), std::end(kDelayDefault), c.delayParams);
  std::copy(std::begin(kReverbDefault), std::end(kReverbDefault), c.reverbParams);
  c.index = record;
  SetNameUtf8(c.name, Numbered("CH %d", record + 1));
  const bool zh = language == Language::Chinese;
  if (record == kDelayRecord) {
    SetNameUtf8(c.shortName, zh ? "延时" : "DELAY");
  } else if (record == kReverbRecord) {
    SetNameUtf8(c.shortName, zh ? "混响" : "Reverb");
  } else {
    SetNameUtf8(c.shortName, Numbered(zh ? "通道 %d" : "CH %d", record + 1));
  }
}

void ResetOutput(OutputChannel& o, int record) {
  std::memset(&o, 0, sizeof o);
  for (int b = 0; b < kGeqBands; ++b) {
    o.geq[b].freq = kGeqCentres[b];
    o.geq[b].gain = 150;
    o.geq[b].q = 25;
  }
  o.level = 30;
  o.outFlag = 1;
  std::copy(std::begin(kCompDefault), std::end(kCompDefault), o.limiter);
  o.index = record;
  const bool master = record < 4;
  const int n = record % 4 + 1;
  SetNameUtf8(o.shortName, Numbered(master ? "M %d" : "D %d", n));
  SetNameUtf8(o.name, Numbered(master ? "MASTER %d" : "DANTE %d", n));
}

}  // namespace

CDeviceState::CDeviceState() {
  std::memset(in, 0, sizeof in);
  std::memset(out, 0, sizeof out);
  std::memset(automix, 0, sizeof automix);
  std::memset(detector, 0, sizeof detector);
  sync = 0;
  firmwareVersion.fill(0);
  unitCount = 0;
  std::memset(unitSlots, 0, sizeof unitSlots);
  std::memset(muteGroups, 0, sizeof muteGroups);
  std::memset(controlGroups, 0, sizeof controlGroups);
  std::memset(controlGroupOn, 0, sizeof controlGroupOn);
}

void CDeviceState::ResetToDefaults() {
  std::memset(unitSlots, 0, sizeof unitSlots);
  for (int r = 0; r < kInputRecords; ++r) ResetInput(in[r], r, language);
  for (int r = 0; r < kOutputRecords; ++r) ResetOutput(out[r], r);
}

void CDeviceState::ClampAfterFullLoad() {
  for (int r = 0; r < kWireInputs; ++r) {
    InputChannel& c = in[r];
    for (int b = 0; b < 4; ++b) {
      Clamp(c.peq[b].freq, 20, 20000);
      Clamp(c.peq[b].gain, 0, 300);
      Clamp(c.peq[b].q, 1, 200);
      Clamp(c.peq[b].type, 0, 2);
    }
    Clamp(c.hpfFreq, 20, 20000);
    Clamp(c.lpfFreq, 20, 20000);
    Clamp(c.hpfSlope, 2, 8);
    Clamp(c.lpfSlope, 2, 8);
    Clamp(c.source, 0, 4);
    Clamp(c.preampGain, 0, r >= 8 ? 1 : 3);
    c.peqOn = 1;
    c.hpfKind = 2;
    c.lpfKind = 2;
    if (r < kAutomixInputs) Clamp(c.threshold, 0, 80);
  }
  for (auto& o : out)
    for (auto& b : o.geq) Clamp(b.gain, 0, 300);
  Clamp(automix[kNom], 0, 30);
}

int CDeviceState::FirmwareNumber() const {
  int value = 0;
  for (char ch : firmwareVersion) {
    if (ch < '0' || ch > '9') break;
    if (value > 100000000) break;
    value = value * 10 + (ch - '0');
  }
  return value;
}

InputChannel* InputOfChannel(CDeviceState& s, int channel) {
  return channel >= 1 && channel <= kInputRecords ? &s.in[channel - 1] : nullptr;
}

OutputChannel* OutputOfNumber(CDeviceState& s, int output) {
  return output >= 1 && output <= kOutputRecords ? &s.out[output - 1] : nullptr;
}

void SetNameBytes(Name& field, std::string_view gbk) {
  field.fill(0);
  const std::string cut = TruncateGbk(gbk, kNameBytes - 1);
  std::copy(cut.begin(), cut.end(), field.begin());
}

std::string NameBytes(const Name& field) {
  const auto end = std::find(field.begin(), field.end(), '\0');
  return std::string(field.begin(), end);
}

}  // namespace orvx
