#include "core/StateImage.h"

#include <bit>
#include <cstring>

namespace orvx::image {
namespace {

static_assert(std::endian::native == std::endian::little,
              "the records are copied as they are in memory; a big-endian host needs swapping");
static_assert(kInputs + sizeof(InputChannel) * kInputRecords == kFurtherWords);
static_assert(kFurtherWords + 1'120 == kOutputs);
static_assert(kOutputs + sizeof(OutputChannel) * kOutputRecords == kTail);
static_assert(kTail + 1'232 == kMainBlockSize);
static_assert(kMuteGroupsOffset + sizeof(MuteGroup) * kGroups == kControlGroupsOffset);
static_assert(kControlGroupsOffset + sizeof(ControlGroup) * kGroups == kSceneSize);

void PutWord(std::vector<std::uint8_t>& img, std::size_t at, std::int32_t v) { std::memcpy(img.data() + at, &v, 4); }

std::int32_t GetWord(std::span<const std::uint8_t> img, std::size_t at) {
  std::int32_t v;
  std::memcpy(&v, img.data() + at, 4);
  return v;
}

}  // namespace

std::vector<std::uint8_t> EncodeScene(const CDeviceState& s) {
  std::vector<std::uint8_t> img(kSceneSize, 0);
  std::memcpy(img.data() + kUnitSlots, s.unitSlots, sizeof s.unitSlots);
  PutWord(img, kDeviceWords, s.unitCount);
  std::memcpy(img.data() + kInputs, s.in, sizeof s.in);
  std::memcpy(img.data() + kOutputs, s.out, sizeof s.out);
  for (int i = 0; i < 6; ++i) PutWord(img, kAutomixAt[i], s.automix[i]);
  for (int i = 0; i < 4; ++i) PutWord(img, kDetector + 4 * i, s.detector[i]);
  PutWord(img, kSync, s.sync);
  std::memcpy(img.data() + kFirmwareVersion, s.firmwareVersion.data(), s.firmwareVersion.size());
  PutWord(img, kOnline, s.link.online ? 1 : 0);
  PutWord(img, kOnline + 4, s.link.connecting ? 1 : 0);
  PutWord(img, kOnline + 8, s.link.retryCount);
  std::memcpy(img.data() + kMuteGroupsOffset, s.muteGroups, sizeof s.muteGroups);
  std::memcpy(img.data() + kControlGroupsOffset, s.controlGroups, sizeof s.controlGroups);
  return img;
}

bool DecodeScene(std::span<const std::uint8_t> img, CDeviceState& s) {
  if (img.size() != kSceneSize) return false;
  std::memcpy(s.unitSlots, img.data() + kUnitSlots, sizeof s.unitSlots);
  s.unitCount = GetWord(img, kDeviceWords);
  std::memcpy(s.in, img.data() + kInputs, sizeof s.in);
  std::memcpy(s.out, img.data() + kOutputs, sizeof s.out);
  for (int i = 0; i < 6; ++i) s.automix[i] = GetWord(img, kAutomixAt[i]);
  for (int i = 0; i < 4; ++i) s.detector[i] = GetWord(img, kDetector + 4 * i);
  s.sync = GetWord(img, kSync);
  std::memcpy(s.firmwareVersion.data(), img.data() + kFirmwareVersion, s.firmwareVersion.size());
  s.firmwareVersion.back() = '\0';
  for (auto& c : s.in) {
    c.shortName.back() = '\0';
    c.name.back() = '\0';
  }
  for (auto& o : s.out) {
    o.shortName.back() = '\0';
    o.name.back() = '\0';
  }
  std::memcpy(s.muteGroups, img.data() + kMuteGroupsOffset, sizeof s.muteGroups);
  std::memcpy(s.controlGroups, img.data() + kControlGroupsOffset, sizeof s.controlGroups);
  for (auto& g : s.controlGroups) g.name.back() = '\0';
  return true;
}

}  // namespace orvx::image
