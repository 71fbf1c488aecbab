#pragma once
/// Frame checksum: CRC-16/MODBUS (reflected poly 0xA001, init 0xFFFF, no final xor), table-driven.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvx {

std::uint16_t FrameChecksum(std::string_view text);

/// Completes a frame: text runs from "%" through its last comma; appends "%04X" of the checksum and "#".
std::string CompleteFrame(std::string_view textBeforeChecksum);

/// True when `frame` is "%...," + four upper-case digits of the checksum of the text before them + "#",
/// and is longer than 8 characters.
bool IsValidFrame(std::string_view frame);

}  // namespace orvx
