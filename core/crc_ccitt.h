// The 16-bit CRC of the CCITT polynomial (x^16 + x^12 + x^5 + 1, 0x1021), as
// the Macintosh transfer formats use it: MSB first, starting from 0, no final
// inversion. MacBinary II keeps it for its header; BinHex 4.0 for its header
// and for each fork.
#pragma once

#include <cstdint>
#include <span>

namespace lettrix {

// The CRC of the bytes, continuing from crc (0 for a new computation).
std::uint16_t crc_ccitt(std::span<const std::uint8_t> bytes, std::uint16_t crc = 0);
// One byte more.
std::uint16_t crc_ccitt_byte(std::uint16_t crc, std::uint8_t byte);

}  // namespace lettrix
