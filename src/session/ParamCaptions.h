#pragma once
/// Caption lists shared by the parameter table and the pages that show the same lists.

#include <array>

#include "core/Captions.h"

namespace orvx::lists {

inline constexpr std::array<Caption, 2> kOpenClose{{{"CLOSE", "关闭"}, {"OPEN", "打开"}}};
inline constexpr std::array<Caption, 2> kOffOn{{{"OFF", "关"}, {"ON", "开"}}};
inline constexpr std::array<Caption, 2> kMicLine{{{"MIC", "MIC"}, {"LINE", "LINE"}}};
inline constexpr std::array<Caption, 2> kAutoMan{{{"AUTO", "自动"}, {"MAN", "手动"}}};
inline constexpr std::array<Caption, 5> kSources{
    {{"ANALOG", "ANALOG"}, {"D1", "D1"}, {"D2", "D2"}, {"D3", "D3"}, {"D4", "D4"}}};
inline constexpr std::array<Caption, 4> kPreampLow{
    {{"15 dB", "15 dB"}, {"25 dB", "25 dB"}, {"35 dB", "35 dB"}, {"45 dB", "45 dB"}}};
inline constexpr std::array<Caption, 2> kPreampHigh{{{"0 dB", "0 dB"}, {"10 dB", "10 dB"}}};
inline constexpr std::array<Caption, 2> kPolarity{{{"NORMAL", "正相"}, {"INVERTED", "反相"}}};
inline constexpr std::array<Caption, 3> kBandTypes{{{"PEAK", "峰值"}, {"LOW SHELF", "低架"}, {"HIGH SHELF", "高架"}}};
inline constexpr std::array<Caption, 7> kSlopes{{{"-12dB/Oct", "-12dB/Oct"},
                                                 {"-18dB/Oct", "-18dB/Oct"},
                                                 {"-24dB/Oct", "-24dB/Oct"},
                                                 {"-30dB/Oct", "-30dB/Oct"},
                                                 {"-36dB/Oct", "-36dB/Oct"},
                                                 {"-42dB/Oct", "-42dB/Oct"},
                                                 {"-48dB/Oct", "-48dB/Oct"}}};
}  // namespace orvx::lists
