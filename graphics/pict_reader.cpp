#include "graphics/pict_reader.h"

namespace lettrix::pict {

namespace {

// Data led by a 16-bit or 32-bit byte count.
bool skip_counted16(Cursor& c) { return c.skip(c.u16()) && c.ok(); }
bool skip_counted32(Cursor& c) {
  const std::uint32_t n = c.u32();
  return c.ok() && c.skip(n);
}

// The reserved opcodes whose lengths only version 2 defines (a count
// before their data, or none): in a version 1 picture they are unknown.
bool reserved_in_version_1(unsigned op) {
  return (op >= 0x17 && op <= 0x19) || (op >= 0x24 && op <= 0x27) || op == 0x2F || (op >= 0x92 && op <= 0x97) ||
         (op >= 0x9C && op <= 0x9F) || (op >= 0xA2 && op <= 0xFE);
}

}  // namespace

bool skip_opcode_data(Cursor& c, unsigned op, int version) {
  if (version == 1 && reserved_in_version_1(op)) return false;
  if (op > 0xFF) {
    if (op < 0x8000) return c.skip((op >> 8) * 2u) || true;  // HeaderOp 0x0C00: 24 bytes
    if (op < 0x8100) return true;
    skip_counted32(c);
    return true;
  }
  switch (op) {
    case 0x00:  // NOP
    case 0x17: case 0x18: case 0x19:
    case 0x1C:  // HiliteMode
    case 0x1E:  // DefHilite
      return true;
    case 0x11: c.skip(version == 1 ? 1 : 2); return true;  // version
    case 0x06: c.skip(4); return true;                   // SpExtra
    case 0x10: c.skip(8); return true;                   // TxRatio
    case 0x15: case 0x16: c.skip(2); return true;        // PnLocHFrac, ChExtra
    case 0x1D: case 0x1F: c.skip(6); return true;        // HiliteColor, OpColor
    case 0x24: case 0x25: case 0x26: case 0x27:
    case 0x2D: case 0x2E: case 0x2F:                     // LineJustify, GlyphState, reserved
    case 0x92: case 0x93: case 0x94: case 0x95: case 0x96: case 0x97:
    case 0x9C: case 0x9D: case 0x9E: case 0x9F:
      skip_counted16(c);
      return true;
    case 0xA0: c.skip(2); return true;  // ShortComment
    case 0xA1:                          // LongComment: kind, count, data
      c.skip(2);
      skip_counted16(c);
      return true;
    default: break;
  }
  if (op >= 0xA2 && op <= 0xAF) return skip_counted16(c) || true;
  if (op >= 0xB0 && op <= 0xCF) return true;
  if (op >= 0xD0 && op <= 0xFE) return skip_counted32(c) || true;
  // The reserved members of the shape groups: rectangles, rounded
  // rectangles, ovals (8 bytes), arcs (12), their "same" forms (0, 4).
  const unsigned group = op & 0xF0, member = op & 0x0F;
  const bool reserved = (member & 7) >= 5;
  if (reserved && group >= 0x30 && group <= 0x60) {
    const bool same = member >= 8;
    if (group == 0x60) return c.skip(same ? 4 : 12) || true;
    return same || c.skip(8) || true;
  }
  return false;
}

}  // namespace lettrix::pict
