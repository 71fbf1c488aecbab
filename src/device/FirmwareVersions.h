#pragma once
/// Version texts of the firmware update: their numbers, which is newer, which images a processor
/// takes, and the labels that show them.

#include <string>
#include <string_view>

#include "core/Captions.h"

namespace orvx {

/// The version of the image set the editor ships with; shown only.
inline constexpr const char* kShippedVersion = "30";
/// A basic version of this or more takes the "-3" images.
constexpr int kThirdBasicVersion = 300;
/// The basic version assumed when the processor does not tell it.
inline constexpr const char* kUnknownBasicVersion = "000";

/// The leading decimal number of a version text; 0 when it does not begin with a digit.
int VersionNumber(std::string_view text);

/// True when `remote` is a newer version than `hardware`, compared as numbers (10 is newer than 9).
bool RemoteIsNewer(std::string_view hardware, std::string_view remote);

/// The two images of the local update: the Digital image goes first (target 1), the DSP image second.
struct LocalImagePair {
  std::string digital;
  std::string dsp;
};
/// Plain images below basic version 300, the "-3" images from 300 on.
LocalImagePair LocalImageNames(int basicVersion);
/// True when `directory` holds both files of either pair: a local update there can send something.
bool HoldsALocalImagePair(const std::string& directory);

/// The remote update's downloads: the page's first address becomes kFirstDownload and goes second
/// (DSP, target 0); the second address becomes kSecondDownload and goes first (Digital, target 1).
inline constexpr const char* kFirstDownload = "upate1.bin";
inline constexpr const char* kSecondDownload = "upate2.bin";

/// Scales of the labels: hardware and local versions are tenths, the basic version hundredths.
constexpr int kTenths = 10;
constexpr int kHundredths = 100;
/// "Hardware version：3.2": the caption, then the version's number divided by `scale`, one decimal.
std::string VersionLabel(const Caption& caption, std::string_view version, int scale, Language language);

}  // namespace orvx
